// Program start: the real platform, the windows and the game window, shown
// centred once its load handler has set it up.
#include <QApplication>
#include <QTimer>

#include "app/app_icon.h"
#include "app/app_windows.h"
#include "app/qt_platform.h"
#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "results/ui/results_windows.h"
#include "shared/ui/design_units.h"
#include "shared/module1.h"

int main() {
  // The program reads no options, environment or settings of its own. Qt
  // would take options such as -style from the command line and colours and
  // fonts from the desktop's settings files, so it is given neither.
  static int qtArgc = 1;
  static char programName[] = "tavri";
  static char* qtArgv[] = {programName, nullptr};
  QGuiApplication::setDesktopSettingsAware(false);
  QCoreApplication::setAttribute(Qt::AA_DisableSessionManager);
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(qtArgc, qtArgv);
  // Also names the user's data folder, where an installed copy keeps its list.
  QCoreApplication::setApplicationName(QStringLiteral("tavri"));
  tavri::InstallFontSubstitutions();

  tavri::Module1 module;
  tavri::QtPlatform platform;
  tavri::ResultsWindows results(module, platform);
  tavri::AppWindows windows(results);
  tavri::Form1 form(module, platform, windows);
  tavri::Form1Window window(form);
  windows.SetGameWindow(&window);

  window.Load();
  window.ShowCentred();
  // The icon's pictures are decoded and handed to the window system once
  // the game window is up: a student waits for the window, not the icon.
  QTimer::singleShot(0, &app, [&app] { tavri::InstallApplicationIcon(app); });
  return app.exec();
}
