// The window host: the help window's lifecycle and the program's end.
#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <QTemporaryDir>

#include "app/app_windows.h"
#include "results/core/file_system.h"
#include "results/ui/results_windows.h"
#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "shared/module1.h"
#include "support/fake_platform.h"

namespace tavri::test {

struct HostedGame {
  Module1 module;
  FakePlatform platform;
  QTemporaryDir folder;
  SystemFileSystem files;
  ResultsWindows results{module, platform, files,
                         folder.filePath(QStringLiteral("tavri.rnk")).toStdString()};
  AppWindows windows{results};
  Form1 form{module, platform, windows};
  Form1Window window{form};

  HostedGame() {
    windows.SetGameWindow(&window);
    window.Load();
    window.ShowCentred();
  }
  QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }
};

class AppWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void helpWindowIsCreatedOnceThenHiddenAndShown() {
    HostedGame game;
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(1));
    QCOMPARE(game.windows.helpWindow(), nullptr);

    QTest::mouseClick(game.Button("helpyo"), Qt::LeftButton);
    Form2Window* help = game.windows.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), help);

    // Opening it again while open brings the one window forward.
    game.windows.ShowHelp();
    QCOMPARE(game.windows.helpWindow(), help);

    // Back: the game window comes forward (with its notice), the help
    // window is only hidden.
    QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QVERIFY(!help->isVisible());
    QCOMPARE(game.windows.helpWindow(), help);
    QTRY_COMPARE(QApplication::activeWindow(), &game.window);
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(2));

    game.windows.ShowHelp();
    QCOMPARE(game.windows.helpWindow(), help);
    QVERIFY(help->isVisible());
  }

  void helpCloseBoxDestroysItAndTheNextOpeningCreatesItAfresh() {
    HostedGame game;
    game.windows.ShowHelp();
    QPointer<Form2Window> first = game.windows.helpWindow();
    QVERIFY(first);
    first->close();
    QTRY_VERIFY(first.isNull());
    QCOMPARE(game.windows.helpWindow(), nullptr);
    game.windows.ShowHelp();
    QVERIFY(game.windows.helpWindow());
    QVERIFY(game.windows.helpWindow()->isVisible());
  }

  // Last: ending the program leaves every event loop of this test program.
  void closingTheGameWindowEndsTheProgramFromANestedLoop() {
    HostedGame game;
    game.windows.ShowHelp();
    game.windows.helpWindow()->hide();
    QEventLoop nested;
    bool ended = false;
    QTimer::singleShot(0, &game.window, [&] { game.window.close(); });
    QTimer::singleShot(5000, &nested, [&] { nested.exit(1); });  // a guard, not a wait
    ended = nested.exec() == 0;
    QVERIFY(ended);
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::AppWindowsTest)
#include "app_windows_test.moc"
