// Whole ways through the results window as the game window opens it, on a
// results file in a temporary folder.
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

#include "results/ui/form3_window.h"
#include "results/ui/results_windows.h"
#include "support/fake_file_system.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

using namespace tavri;

namespace {

// One program run: its shared state and its opener of the results window.
struct Run {
  explicit Run(const std::string& path) : windows(module, platform, files, path) {}
  Module1 module;
  test::FakePlatform platform;
  SystemFileSystem files;
  ResultsWindows windows;

  // The game end: the score handed over, the window shown modally; `inside`
  // runs while it is open.
  void GameEnds(std::int16_t score, const std::function<void(Form3Window&)>& inside) {
    module.totalScore = score;
    bool ran = false;
    QTimer::singleShot(0, [&] {
      [&] {
        Form3Window* w = windows.window();
        QVERIFY(w && w->isVisible() && w->isModal());
        inside(*w);
        ran = true;
      }();
      // A check that failed half way must not leave the test waiting.
      if (windows.window() && windows.window()->isVisible()) windows.CloseWithoutStoring();
    });
    windows.ShowModal();
    QVERIFY(ran);
    QVERIFY(!windows.window());
  }
};

// What a Japanese input method hands the name box when a word is committed.
void Commit(QLineEdit* box, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(box, &commit);
}

void Shoot(QWidget& w, const char* name) {
  QByteArray folder = qgetenv("TAVRI_SCREENSHOTS");
  if (!folder.isEmpty()) w.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

}  // namespace

class Form3FlowTest : public QObject {
  Q_OBJECT

 private slots:
  void nameStoredSurvivesARestart() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    {
      Run run(path);
      run.GameEnds(30, [&](Form3Window& w) {
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.label("namae", 0)->text(), QString("ここです！"));
        QVERIFY(w.label("Label6")->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.text1());
        Shoot(w, "results-first-game.png");
        Commit(w.text1(), "たろう");
        QCOMPARE(w.label("namae", 0)->text(), QString("たろう"));
        QTest::keyClick(w.text1(), Qt::Key_Return);
      });
      QCOMPARE(test::ReadBytes(path).size(), std::size_t{900});
    }
    // The program starts again: new state, new opener; a fuller list.
    {
      Run run(path);
      for (std::int16_t score : {45, 20, 10, 5}) {
        run.GameEnds(score, [&](Form3Window& w) {
          QTest::keyClicks(w.text1(), QString("Player%1").arg(score));
          QTest::keyClick(w.text1(), Qt::Key_Enter, Qt::KeypadModifier);
        });
        run.module.resultSaved = 0;  // Start
      }
    }
    {
      Run run(path);
      run.module.totalScore = 0;  // from the menu
      run.windows.ShowModeless();
      Form3Window* w = run.windows.window();
      QVERIFY(w && w->isVisible() && !w->isModal());
      QStringList names, scores;
      for (int i = 0; i < 5; ++i) {
        names << w->label("namae", i)->text();
        scores << w->label("jikan", i)->text();
      }
      QCOMPARE(names, QStringList({"Player45", "たろう", "Player20", "Player10", "Player5"}));
      QCOMPARE(scores, QStringList({"45", "30", "20", "10", "5"}));
      QCOMPARE(w->label("jikan1", 0)->text(), QString("0"));
      QVERIFY(!w->text1()->isVisible());
      Shoot(*w, "results-after-restart.png");
      QTest::mouseClick(w->button("Command1"), Qt::LeftButton);
      QVERIFY(!w->isVisible());
    }
  }

  void resetAnsweredOkAndCancel() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    Run run(path);
    run.GameEnds(30, [&](Form3Window& w) {
      QTest::keyClicks(w.text1(), "ABC");
      QTest::mouseClick(w.button("Command1"), Qt::LeftButton);
    });
    const std::string stored = test::ReadBytes(path);
    QCOMPARE(stored.substr(0, 12), std::string("ABC       \x1E\x00", 12));

    run.platform.answers = {MessageAnswer::Cancel};
    run.GameEnds(40, [&](Form3Window& w) {
      QTest::mouseClick(w.button("Command2"), Qt::LeftButton);
    });
    QCOMPARE(run.platform.boxes.back().text, std::string("成績一覧の名前と時間を消去しますか？"));
    QCOMPARE(test::ReadBytes(path), stored);

    run.module.resultSaved = 0;
    run.platform.answers = {MessageAnswer::Ok};
    run.GameEnds(40, [&](Form3Window& w) {
      QTest::mouseClick(w.button("Command2"), Qt::LeftButton);
    });
    const std::string cleared = test::ReadBytes(path);
    QCOMPARE(cleared.size(), std::size_t{900});
    for (int n = 0; n < 20; ++n)
      QCOMPARE(cleared.substr(n * 12, 12), std::string("          \0\0", 12));
  }

  void theCloseBoxStoresWhatWasTyped() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    Run run(path);
    run.GameEnds(25, [&](Form3Window& w) {
      QTest::keyClicks(w.text1(), "Ken");
      QTest::keyClick(&w, Qt::Key_Escape);  // no cancel button: nothing happens
      QVERIFY(w.isVisible());
      w.close();  // the title bar's close box
    });
    QCOMPARE(test::ReadBytes(path).substr(0, 12), std::string("Ken       \x19\x00", 12));
  }

  void aGameEndingWhileTheListIsOpenReplacesIt() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    Run run(path);
    run.module.totalScore = 0;
    run.windows.ShowModeless();
    QPointer<Form3Window> viewing = run.windows.window();
    run.windows.ShowModeless();  // a second opening only brings it forward
    QCOMPARE(run.windows.window(), viewing.data());

    run.GameEnds(35, [&](Form3Window& w) {
      QVERIFY(&w != viewing.data());
      QVERIFY(!viewing || !viewing->isVisible());
      QCOMPARE(test::ReadBytes(path).size(), std::size_t{0});  // the list stored nothing
      QTest::keyClicks(w.text1(), "Aki");
      QTest::keyClick(w.text1(), Qt::Key_Return);
    });
    QCOMPARE(test::ReadBytes(path).substr(0, 12), std::string("Aki       \x23\x00", 12));
  }

  void exitWhileANameIsTypedStoresNothing() {
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    Run run(path);
    run.GameEnds(30, [&](Form3Window& w) {
      QTest::keyClicks(w.text1(), "Lost");
      run.windows.CloseWithoutStoring();
    });
    QCOMPARE(test::ReadBytes(path).size(), std::size_t{0});
    QVERIFY(run.platform.boxes.empty());
  }

  void resultsFileBesideTheProgramElseInTheDataFolder() {
    test::TempFolder folder;
    test::FakeFileSystem files;
    const QString program = QString::fromStdString(folder / "program");
    const QString data = QString::fromStdString(folder / "data/tavri");
    files.writableFolders.insert(QDir::toNativeSeparators(program).toStdString());
    QCOMPARE(ResultsWindows::ResolveResultsPath(files, program, data),
             QDir::toNativeSeparators(program + "/tavri.rnk").toStdString());
    QVERIFY(!QDir(data).exists());

    files.writableFolders.clear();
    QCOMPARE(ResultsWindows::ResolveResultsPath(files, program, data),
             QDir::toNativeSeparators(data + "/tavri.rnk").toStdString());
    QVERIFY(QDir(data).exists());
  }
};

QTEST_MAIN(Form3FlowTest)
#include "form3_flow_test.moc"
