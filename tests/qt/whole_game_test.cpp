// Whole games through the real windows, and what the player sees at the
// moment a box opens: every change the game made before it asked for the
// results window or a message box is already on the screen.
#include <QAction>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

using namespace game_window;

namespace {

// Runs `run` at the moment a window of that design name is shown, before
// anything else happens.
class OnShow : public QObject {
 public:
  OnShow(const char* designName, std::function<void()> run)
      : name_(QString::fromUtf8(designName)), run_(std::move(run)) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && watched->objectName() == name_)
      run_();
    return false;
  }

 private:
  QString name_;
  std::function<void()> run_;
};

}  // namespace

class WholeGameTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    run_ = std::make_unique<ProgramOnFakeDisk>();
    QVERIFY(run_->program.Start());
  }
  void cleanup() {
    run_.reset();
  }

  void aGameEndsInTheListWithTheNameTyped() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(50));
    QCOMPARE(p.boxes.Count(MessageKind::Restart), std::size_t{0});
    QVERIFY(p.Type(kResultsWindow, results_window::kNameBox, QStringLiteral("ABC")));
    QTest::keyClick(p.Box(kResultsWindow, results_window::kNameBox), Qt::Key_Return);

    QCOMPARE(p.Text(kGameWindow, kTotalButton), QStringLiteral(" 50"));
    // The restart message follows the closed results window, once.
    QCOMPARE(p.boxes.Count(MessageKind::Restart), std::size_t{1});
    QCOMPARE(p.boxes.shown[p.boxes.shown.size() - 2].message.title, std::string("再スタート"));
    QCOMPARE(p.boxes.shown.back().message.kind, MessageKind::StartNotice);
    QVERIFY(!p.Box(kGameWindow, kCoefficientBox)->isVisible());
    for (int i = 0; i < kRelationshipCount; ++i)
      QVERIFY(!p.Button(kGameWindow, kRelationshipButtons + i)->isEnabled());
    QCOMPARE(folder.Bytes().size(), std::size_t{900});
    QCOMPARE(folder.Bytes().substr(0, 12), Record("ABC", 50));
  }

  void backWithoutANameStoresTheScoreOnce() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(50));
    QVERIFY(p.Click(kResultsWindow, results_window::kBackButton));
    QCOMPARE(folder.Bytes().substr(0, 12), Record("", 50));
    QCOMPARE(folder.Bytes().substr(12, 12), Record("", 0));
  }

  void aClickAfterTheGameEndCannotReplayIt() {
    HostedProgram& p = run_->program;
    QVERIFY(p.PlayToGameEnd(0));
    QVERIFY(p.Click(kResultsWindow, results_window::kBackButton));
    QVERIFY(!p.Button(kGameWindow, kRelationshipButtons)->isEnabled());
    QVERIFY(!p.ChooseRightRelationship());
    // Even a click that reached the program would judge nothing.
    p.host.OnClick(kGameWindow, kRelationshipButtons);
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QCOMPARE(p.Text(kGameWindow, kTotalButton), QStringLiteral(" 0"));
    QCOMPARE(p.boxes.Count(MessageKind::Restart), std::size_t{1});
  }

  // --- Every change on the screen before a box opens --------------------------

  void theFifthFormulasMarkShowsWithTheResultsAndTheRestartMessage() {
    HostedProgram& p = run_->program;
    for (const bool right : {true, false}) {
      QStringList seen;
      const auto look = [&] { seen << p.Text(kGameWindow, kMarkCells + 4); };
      OnShow results(results_window::Design().designName, look);
      p.boxes.onShown = [&](const Message& message, QWidget*) {
        if (message.kind == MessageKind::Restart) look();
      };
      QVERIFY(p.Click(kGameWindow, kStartButton));
      for (int problem = 0; problem < 4; ++problem) QVERIFY(p.PlayProblem(10));
      QVERIFY(p.ChooseRightRelationship());
      QVERIFY(p.EnterFormula(p.game().problem()->a + (right ? 0 : 1), p.game().problem()->b));
      QVERIFY(p.Click(kResultsWindow, results_window::kBackButton));
      const QString mark = right ? QStringLiteral("○○") : QStringLiteral("○×");
      QCOMPARE(seen, QStringList({mark, mark}));
      p.boxes.onShown = nullptr;
    }
  }

  void aFifthProblemLostShowsItsMarkWithTheResults() {
    HostedProgram& p = run_->program;
    for (const bool timedOut : {false, true}) {
      QString seen;
      OnShow results(results_window::Design().designName,
                     [&] { seen = p.Text(kGameWindow, kMarkCells + 4); });
      QVERIFY(p.Click(kGameWindow, kStartButton));
      for (int problem = 0; problem < 4; ++problem) QVERIFY(p.PlayProblem(10));
      if (timedOut)
        QVERIFY(p.Tick(kStartPoints + 1));
      else
        QVERIFY(p.PlayProblem(0));
      QVERIFY(p.Window(kResultsWindow));
      QCOMPARE(seen, QStringLiteral("×"));
      QVERIFY(p.Click(kResultsWindow, results_window::kBackButton));
    }
  }

  void aRangeChangeShowsWhileItsMessageIsOpen() {
    HostedProgram& p = run_->program;
    QString caption;
    std::vector<bool> ticks;
    p.boxes.onShown = [&](const Message& message, QWidget* owner) {
      QCOMPARE(message.kind, MessageKind::RangeChanged);
      QCOMPARE(owner, p.Window(kGameWindow));
      caption = p.Text(kGameWindow, kRangeButton);
      ticks.clear();
      for (int range = 0; range < kRangeCount; ++range)
        ticks.push_back(p.MenuItem(kRangeItems + range)->isChecked());
    };
    QVERIFY(p.Click(kGameWindow, kRangeButton));
    QCOMPARE(caption, QStringLiteral("ｘの値：１～５"));
    QCOMPARE(ticks, (std::vector<bool>{false, true, false, false}));

    p.MenuItem(kRangeItems + 2)->trigger();
    QCOMPARE(caption, QStringLiteral("ｘの値：－５～－１"));
    QCOMPARE(ticks, (std::vector<bool>{false, false, true, false}));
    QCOMPARE(p.boxes.Count(MessageKind::RangeChanged), std::size_t{2});
  }

  // --- The keyboard ------------------------------------------------------------

  // A focused button takes Enter as it takes Space, in every window; no
  // other button is a window's default button.
  void focusedButtonsTakeEnterAndSpace() {
    HostedProgram& p = run_->program;
    const auto press = [](QWidget* button, Qt::Key key) {
      if (QApplication::focusWidget() != button) return false;
      QTest::keyClick(button, key);
      return true;
    };

    QVERIFY(press(p.Button(kGameWindow, kStartButton), Qt::Key_Return));
    QCOMPARE(p.game().problemNumber(), 1);
    QVERIFY(p.Tick());
    p.Button(kGameWindow, kStartButton)->setFocus();
    QVERIFY(press(p.Button(kGameWindow, kStartButton), Qt::Key_Space));
    QCOMPARE(p.Text(kGameWindow, kPoints), QStringLiteral("10"));
    QCOMPARE(p.countdown.starts, 2);

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
      QVERIFY(p.Click(kGameWindow, kHelpButton));
      QVERIFY(p.WaitActive(kHelpWindow));
      QVERIFY(press(p.Button(kHelpWindow, help_window::kBackButton), key));
      QVERIFY(!p.Window(kHelpWindow)->isVisible());
      QVERIFY(p.WaitActive(kGameWindow));

      QVERIFY(p.Click(kGameWindow, kTotalButton));
      QVERIFY(p.WaitActive(kResultsWindow));
      QVERIFY(press(p.Button(kResultsWindow, results_window::kBackButton), key));
      QCOMPARE(p.Window(kResultsWindow), nullptr);
      QVERIFY(p.WaitActive(kGameWindow));
    }
    QVERIFY(p.Click(kGameWindow, kTotalButton));
    QVERIFY(p.WaitActive(kResultsWindow));
    for (WindowId window : {kGameWindow, kResultsWindow, kHelpWindow})
      for (QPushButton* button : p.Window(window)->findChildren<QPushButton*>())
        QVERIFY(button->autoDefault() && button->isDefault() == button->hasFocus());
    p.boxes.answers = {MessageAnswer::Cancel};
    p.Button(kResultsWindow, results_window::kClearButton)->setFocus();
    QVERIFY(press(p.Button(kResultsWindow, results_window::kClearButton), Qt::Key_Enter));
    QCOMPARE(p.boxes.Count(MessageKind::ConfirmClear), std::size_t{1});
  }

 private:
  std::unique_ptr<ProgramOnFakeDisk> run_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::WholeGameTest)
#include "whole_game_test.moc"
