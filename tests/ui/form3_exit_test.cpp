// Ending the program while a name is being typed: Qt closes every window on
// quitting, and that close must not store the name as the close box would.
// A program of its own, since it ends the application's event loop.
#include <QLineEdit>
#include <QtTest>

#include "results/ui/results_windows.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

using namespace tavri;

class Form3ExitTest : public QObject {
  Q_OBJECT

 private slots:
  void quittingWhileANameIsTypedStoresNothing() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    Module1 module;
    test::FakePlatform platform;
    SystemFileSystem files;
    ResultsWindows windows(module, platform, files, path);
    module.totalScore = 30;

    QTimer::singleShot(0, [&] { windows.ShowModal(); });
    QTimer::singleShot(0, [&] {
      if (windows.window()) QTest::keyClicks(windows.window()->text1(), "Lost");
      QApplication::quit();
    });
    QApplication::exec();

    QVERIFY(!windows.window());
    QCOMPARE(test::ReadBytes(path).size(), std::size_t{0});
    QVERIFY(platform.boxes.empty());
  }
};

QTEST_MAIN(Form3ExitTest)
#include "form3_exit_test.moc"
