// Program start: Qt set up without any setting of the desktop's, the results
// file found, and the program run by the host on the Qt front end.
#include <QApplication>
#include <QStandardPaths>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/qt/app_icon.h"
#include "app/qt/qt_front_end.h"
#include "app/qt/results_path.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "shared/clock_random.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"

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
  // Only the program's own Exit ends it.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  tavri::InstallFontSubstitutions();

  tavri::SystemFileSystem files;
  // Found when the list is first opened, not at every start.
  tavri::ResultsStore store(files, [&files] {
    return tavri::ResultsFilePath(files, QCoreApplication::applicationDirPath(),
                                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  });
  tavri::ClockRandom random;
  tavri::Program program(random, store);
  tavri::QtFrontEnd frontEnd;
  tavri::Host host(program, frontEnd);
  frontEnd.ReportTo(host);
  QObject::connect(&frontEnd, &tavri::QtFrontEnd::programEnded, &app,
                   [] { QCoreApplication::exit(0); });

  host.Start();
  tavri::InstallApplicationIconWhenShown(app, frontEnd.Window(tavri::WindowId::Game));
  return app.exec();
}
