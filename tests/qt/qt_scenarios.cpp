// The plays on Qt: the program on the offscreen desktop, played through its
// real windows (qt_driver.h), one test per scenario.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

#include "scenarios/register_plays.h"
#include "shared/qt/design_fonts.h"
#include "support/qt_driver.h"

int main(int argc, char** argv) {
  // Also when the tests are only listed, before the test's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // As main sets up the program.
  QGuiApplication::setDesktopSettingsAware(false);
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  QGuiApplication::setQuitOnLastWindowClosed(false);
  tavri::InstallFontSubstitutions();
  testing::InitGoogleTest(&argc, argv);
  tavri::scenario::RegisterPlays(TAVRI_PLAYS_FOLDER, [] {
    return std::make_unique<tavri::scenario::QtDriver>();
  });
  return RUN_ALL_TESTS();
}
