// Whole games through the real windows: the game window, its host and the
// results window, with only the message boxes and the random source
// replaced.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <iterator>

#include "app/app_windows.h"
#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "results/core/file_system.h"
#include "results/ui/results_windows.h"
#include "shared/module1.h"
#include "support/fake_platform.h"

namespace tavri::test {

namespace {

struct Program {
  explicit Program(const QTemporaryDir& folder)
      : path(folder.filePath(QStringLiteral("tavri.rnk")).toStdString()) {
    windows.SetGameWindow(&window);
    window.Load();
    window.ShowCentred();
  }

  std::string path;
  Module1 module;
  FakePlatform platform;
  SystemFileSystem files;
  ResultsWindows results{module, platform, files, path};
  AppWindows windows{results};
  Form1 form{module, platform, windows};
  Form1Window window{form};

  template <typename T>
  T* Find(const char* name) const {
    return window.findChild<T*>(QString::fromLatin1(name));
  }

  // y = 4x on the current range: the kind, then the coefficient.
  void QueueProblem() {
    platform.randomScript.push_back(0.0f);
    platform.randomScript.push_back(0.9f);
  }

  void Start() {
    for (int problem = 0; problem < 5; ++problem) QueueProblem();
    QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
  }

  // Right relationship, then the formula typed and Enter on the keypad.
  void AnswerRight() {
    QTest::mouseClick(Find<QPushButton>("kotae(0)"), Qt::LeftButton);
    auto* box = Find<QLineEdit>("TextA1");
    QVERIFY(box->isVisible());
    QTest::keyClicks(box, QStringLiteral("4"));
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
  }

  // Runs `inside` once the modal results window is up, then lets the game
  // end go on.
  void WhileResultsOpen(std::function<void(Form3Window&)> inside) {
    QTimer::singleShot(0, &window, [this, inside] {
      Form3Window* open = results.window();
      if (!open || !open->isModal()) {
        qWarning("no modal results window");
        if (open) open->close();
        return;
      }
      inside(*open);
    });
  }

  std::size_t BoxesTitled(const char* title) const {
    std::size_t count = 0;
    for (const auto& box : platform.boxes) count += box.title == title;
    return count;
  }
};

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class GameFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void aGameEndsInTheListWithTheNameTyped() {
    QTemporaryDir folder;
    Program program(folder);
    program.Start();
    for (int problem = 0; problem < 4; ++problem) program.AnswerRight();

    std::size_t boxesBeforeEnd = 0;
    program.WhileResultsOpen([&](Form3Window& results) {
      boxesBeforeEnd = program.platform.boxes.size();
      auto* name = results.findChild<QLineEdit*>(QStringLiteral("Text1"));
      QVERIFY(name && name->isVisible());
      QTest::keyClicks(name, QStringLiteral("ABC"));
      QTest::keyClick(name, Qt::Key_Return);
    });
    program.AnswerRight();

    QCOMPARE(program.module.totalScore, std::int16_t{50});
    QCOMPARE(program.Find<QPushButton>("tokutenyo")->text(), QStringLiteral(" 50"));
    // The restart message follows the closed results window.
    QCOMPARE(program.BoxesTitled("再スタート"), std::size_t{1});
    QCOMPARE(program.platform.boxes.back().title, std::string("再スタート"));
    QVERIFY(program.platform.boxes.size() > boxesBeforeEnd);
    QVERIFY(!program.Find<QLineEdit>("TextA1")->isVisible());
    for (int i = 0; i < 4; ++i)
      QVERIFY(!program.Find<QPushButton>(("kotae(" + std::to_string(i) + ")").c_str())->isEnabled());

    const std::string bytes = FileBytes(program.path);
    QCOMPARE(bytes.size(), std::size_t{900});
    QCOMPARE(bytes.substr(0, 12), std::string("ABC       \x32\x00", 12));
  }

  void aGameEndingWhileTheListIsOpenForViewingOpensAFreshModalWindow() {
    QTemporaryDir folder;
    Program program(folder);
    program.Start();
    for (int problem = 0; problem < 4; ++problem) program.AnswerRight();

    QTest::mouseClick(program.Find<QPushButton>("tokutenyo"), Qt::LeftButton);
    QPointer<Form3Window> viewing = program.results.window();
    QVERIFY(viewing && viewing->isVisible() && !viewing->isModal());
    // Opening the list again brings the one window forward.
    program.windows.ShowResultsModeless();
    QCOMPARE(program.results.window(), viewing.data());

    bool sawFreshWindow = false;
    program.WhileResultsOpen([&](Form3Window& results) {
      sawFreshWindow = &results != viewing.data();
      QTest::mouseClick(results.findChild<QPushButton*>(QStringLiteral("Command1")),
                        Qt::LeftButton);
    });
    program.AnswerRight();
    QVERIFY(sawFreshWindow);
    QTRY_VERIFY(viewing.isNull() || !viewing->isVisible());
    // The game's score was placed (its name left empty), once.
    const std::string bytes = FileBytes(program.path);
    QCOMPARE(bytes.size(), std::size_t{900});
    QCOMPARE(bytes.substr(0, 12), std::string("          \x32\x00", 12));
    QCOMPARE(bytes.substr(12, 12), std::string("          \x00\x00", 12));
  }

  void aClickAfterTheGameEndCannotReplayIt() {
    QTemporaryDir folder;
    Program program(folder);
    program.Start();
    // Wrong choices throughout: the game ends on the fifth with nothing banked.
    int opened = 0;
    program.WhileResultsOpen([&](Form3Window& results) {
      ++opened;
      results.close();
    });
    for (int problem = 0; problem < 5; ++problem)
      QTest::mouseClick(program.Find<QPushButton>("kotae(1)"), Qt::LeftButton);
    QCOMPARE(opened, 1);
    auto* right = program.Find<QPushButton>("kotae(0)");
    QVERIFY(!right->isEnabled());
    QTest::mouseClick(right, Qt::LeftButton);
    QCOMPARE(program.Find<QPushButton>("tokutenyo")->text(), QStringLiteral(" 0"));
    QCOMPARE(program.BoxesTitled("再スタート"), std::size_t{1});
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::GameFlowTest)
#include "game_flow_test.moc"
