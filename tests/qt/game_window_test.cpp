// The game window forwards every event to the program and shows what the
// game holds: buttons, menu items, keys typed into the formula boxes, the
// countdown, the focus.
#include <QAction>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

#include "game/core/game_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

using namespace game_window;

class GameWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    run_ = std::make_unique<ProgramOnFakeDisk>();
    QVERIFY(run_->program.Start());
  }
  void cleanup() {
    run_.reset();
  }

  void startFromTheButtonAndTheMenu() {
    HostedProgram& p = run_->program;
    for (int round = 0; round < 2; ++round) {
      p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
      p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
      QVERIFY(p.Click(kGameWindow, kStartButton));
      QVERIFY(p.ChooseRightRelationship());
      QCOMPARE(p.Text(kGameWindow, kMarkCells), QStringLiteral("○"));
      QCOMPARE(p.Text(kGameWindow, kTotalButton), QStringLiteral(" 10"));
      // Start again in the middle of the game: a new game from problem 1.
      if (round == 0)
        QVERIFY(p.Click(kGameWindow, kStartButton));
      else
        p.MenuItem(kStartItem)->trigger();
      QCOMPARE(p.Text(kGameWindow, kMarkCells), QString());
      QCOMPARE(p.Text(kGameWindow, kTotalButton), QStringLiteral(" 0"));
      QCOMPARE(p.Text(kGameWindow, kProblemHeading), QStringLiteral("第 1問"));
      QVERIFY(!p.Box(kGameWindow, kCoefficientBox)->isVisible());
    }
  }

  void listHelpAndExitFromButtonsAndMenus() {
    HostedProgram& p = run_->program;
    QVERIFY(p.Click(kGameWindow, kTotalButton));
    QPointer<DesignedWindow> list = p.Window(kResultsWindow);
    QVERIFY(list && list->isVisible());
    QVERIFY(p.frontEnd.TakesInput(kGameWindow));
    p.MenuItem(kListItem)->trigger();
    QCOMPARE(p.Window(kResultsWindow), list.data());

    QVERIFY(p.Click(kGameWindow, kHelpButton));
    QPointer<DesignedWindow> help = p.Window(kHelpWindow);
    QVERIFY(help && help->isVisible());
    p.MenuItem(kHelpItem)->trigger();
    QCOMPARE(p.Window(kHelpWindow), help.data());

    QSignalSpy ended(&p.frontEnd, &QtFrontEnd::programEnded);
    QVERIFY(p.Click(kGameWindow, kExitButton));
    QCOMPARE(ended.count(), 1);
    QVERIFY(p.program.ended());
    for (WindowId window : {kGameWindow, kResultsWindow, kHelpWindow})
      QCOMPARE(p.Window(window), nullptr);
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(!window->isVisible());
  }

  void exitFromTheMenu() {
    QSignalSpy ended(&run_->program.frontEnd, &QtFrontEnd::programEnded);
    run_->program.MenuItem(kExitItem)->trigger();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(run_->program.Window(kGameWindow), nullptr);
  }

  void theCloseBoxEndsTheProgram() {
    QSignalSpy ended(&run_->program.frontEnd, &QtFrontEnd::programEnded);
    run_->program.Window(kGameWindow)->close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(run_->program.Window(kGameWindow), nullptr);
  }

  void typedTextIsTheGamesText() {
    HostedProgram& p = run_->program;
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
    QVERIFY(p.Click(kGameWindow, kStartButton));
    QVERIFY(p.ChooseRightRelationship());
    QVERIFY(p.Type(kGameWindow, kCoefficientBox, QStringLiteral("-12")));
    QCOMPARE(p.game().boxText(FormulaBox::Coefficient), std::string("-12"));
    // And the box shows what the game holds: empty once judged.
    QTest::keyClick(p.Box(kGameWindow, kCoefficientBox), Qt::Key_Return);
    QCOMPARE(p.Box(kGameWindow, kCoefficientBox)->text(), QString());
    QCOMPARE(p.Text(kGameWindow, kMarkCells), QStringLiteral("○×"));
  }

  void keyAsciiOfKeys() {
    const auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
      return KeyAscii(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    QCOMPARE(code(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, QString()), std::optional<int>(13));
    // Ctrl+Enter is a line feed; Alt+Enter types nothing, as on Windows.
    QCOMPARE(code(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\r")), std::optional<int>(10));
    QCOMPARE(code(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, QString()),
             std::optional<int>(10));
    QCOMPARE(code(Qt::Key_Return, Qt::AltModifier, QStringLiteral("\r")), std::nullopt);
    QCOMPARE(code(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")), std::nullopt);
    QCOMPARE(code(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")), std::optional<int>('a'));
    QCOMPARE(code(Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-")), std::optional<int>('-'));
    QCOMPARE(code(Qt::Key_Left, Qt::NoModifier, QString()), std::nullopt);
    QCOMPARE(code(Qt::Key_Shift, Qt::ShiftModifier, QString()), std::nullopt);
  }

  void everyKeyStillReachesTheBox() {
    DesignedWindow window(Design(), 96, {});
    auto* box = window.Control<QLineEdit>(kCoefficientBox);
    std::vector<int> codes;
    QString textSeenByHandler;
    connect(&window, &DesignedWindow::keyPressed, this, [&](int control, int keyAscii) {
      QCOMPARE(control, int(kCoefficientBox));
      codes.push_back(keyAscii);
      textSeenByHandler = box->text();
    });
    QSignalSpy enters(box, &QLineEdit::returnPressed);
    QTest::keyClick(box, Qt::Key_4);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_Left);
    QCOMPARE(codes, (std::vector<int>{'4', 13, 13, 10}));
    QCOMPARE(box->text(), QStringLiteral("4"));
    QCOMPARE(enters.count(), 4);
    QCOMPARE(textSeenByHandler, QStringLiteral("4"));
  }

  // A focused button: Enter (main or keypad, with or without Shift) and
  // Space click it; with Ctrl or Alt, Enter does not.
  void aButtonTakesEnterAndSpace() {
    DesignedWindow window(Design(), 96, {});
    QSignalSpy clicked(&window, &DesignedWindow::clicked);
    auto* start = window.Control<QPushButton>(kStartButton);
    QTest::keyClick(start, Qt::Key_Return);
    QTest::keyClick(start, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(start, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(start, Qt::Key_Space);
    QCOMPARE(clicked.count(), 4);
    QTest::keyClick(start, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(start, Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(clicked.count(), 4);
    QVERIFY(!start->isDefault());
  }

  void theCountdownRunsOnAPreciseTimer() {
    QtFrontEnd frontEnd;
    QCOMPARE(frontEnd.timer().timerType(), Qt::PreciseTimer);
    QVERIFY(!frontEnd.timer().isActive());
    frontEnd.StartTimer(2000);
    QVERIFY(frontEnd.timer().isActive());
    QCOMPARE(frontEnd.timer().interval(), 2000);
    frontEnd.StopTimer();
    QVERIFY(!frontEnd.timer().isActive());
  }

  void everyNewProblemStartsAFullPeriod() {
    HostedProgram& p = run_->program;
    QVERIFY(!p.countdown.running);
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
    QVERIFY(p.Click(kGameWindow, kStartButton));
    QVERIFY(p.countdown.running);
    QCOMPARE(p.countdown.intervalMs, 2000);
    QCOMPARE(p.countdown.starts, 1);
    QVERIFY(p.Tick(3));
    // A wrong choice stops it and the next problem starts it afresh.
    QVERIFY(p.ChooseRelationship(Relationship::Inverse));
    QVERIFY(p.countdown.running);
    QCOMPARE(p.countdown.starts, 2);
    QCOMPARE(p.Text(kGameWindow, kPoints), QStringLiteral("10"));
    // The range button stops it for the rest of the problem.
    QVERIFY(p.Click(kGameWindow, kRangeButton));
    QVERIFY(!p.countdown.running);
  }

  void theFocusGoesWhereTheGameSends() {
    HostedProgram& p = run_->program;
    p.random.Queue(ProblemDraws(Relationship::Inverse, -12));
    p.random.Queue(ProblemDraws(Relationship::Linear, 3, -2));
    QVERIFY(p.Click(kGameWindow, kStartButton));
    QVERIFY(p.ChooseRelationship(Relationship::Inverse));
    QCOMPARE(QApplication::focusWidget(), p.Box(kGameWindow, kNumeratorBox));
    QVERIFY(p.EnterFormula(-12));
    QVERIFY(p.ChooseRelationship(Relationship::Linear));
    QCOMPARE(QApplication::focusWidget(), p.Box(kGameWindow, kCoefficientBox));
    QVERIFY(p.Type(kGameWindow, kCoefficientBox, QStringLiteral("3")));
    QTest::keyClick(p.Box(kGameWindow, kCoefficientBox), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), p.Box(kGameWindow, kConstantBox));
    QCOMPARE(p.Text(kGameWindow, kMarkCells + 1), QStringLiteral("○"));
    // Only the game moves the focus: drawing leaves it where the player put it.
    p.Button(kGameWindow, kRangeButton)->setFocus();
    QVERIFY(p.Type(kGameWindow, kConstantBox, QStringLiteral("-")));
    QCOMPARE(QApplication::focusWidget(), p.Button(kGameWindow, kRangeButton));
  }

  void thePointsLabelShowsAWholeTen() {
    HostedProgram& p = run_->program;
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));
    QVERIFY(p.Click(kGameWindow, kStartButton));
    QLabel* points = p.Label(kGameWindow, kPoints);
    QCOMPARE(points->text(), QStringLiteral("10"));
    QVERIFY(QFontMetrics(points->font()).horizontalAdvance(points->text()) <= points->width());
    QCOMPARE(points->font().pixelSize(), 160);
  }

  void aProblemPlayedThroughTheWindow() {
    HostedProgram& p = run_->program;
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));  // problem 1: y = 4x
    QVERIFY(p.Click(kGameWindow, kStartButton));
    QVERIFY(p.countdown.running);
    QCOMPARE(p.Text(kGameWindow, kYCells), QStringLiteral("-8"));
    QVERIFY(p.Button(kGameWindow, kRelationshipButtons)->isEnabled());

    QVERIFY(p.Tick());
    QCOMPARE(p.Text(kGameWindow, kPoints), QStringLiteral(" 9"));

    QVERIFY(p.ChooseRelationship(Relationship::Proportional));
    QVERIFY(!p.countdown.running);
    QCOMPARE(p.Text(kGameWindow, kMarkCells), QStringLiteral("○"));
    QCOMPARE(p.Text(kGameWindow, kTotalButton), QStringLiteral(" 9"));
    QVERIFY(p.Box(kGameWindow, kCoefficientBox)->isVisible());
    QCOMPARE(QApplication::focusWidget(), p.Box(kGameWindow, kCoefficientBox));
    QVERIFY(!p.Button(kGameWindow, kRelationshipButtons)->isEnabled());

    // The main Enter key judges what was typed.
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));  // problem 2
    QVERIFY(p.Type(kGameWindow, kCoefficientBox, QStringLiteral("4")));
    QTest::keyClick(p.Box(kGameWindow, kCoefficientBox), Qt::Key_Return);
    QCOMPARE(p.Text(kGameWindow, kMarkCells), QStringLiteral("○○"));
    QVERIFY(!p.Box(kGameWindow, kCoefficientBox)->isVisible());
    QCOMPARE(p.Box(kGameWindow, kCoefficientBox)->text(), QString());
    QVERIFY(p.countdown.running);
    QCOMPARE(p.game().problemNumber(), 2);

    // A letter is not judged; the keypad's Enter is.
    QVERIFY(p.ChooseRelationship(Relationship::Proportional));
    p.random.Queue(ProblemDraws(Relationship::Proportional, 4));  // problem 3
    QTest::keyClick(p.Box(kGameWindow, kCoefficientBox), Qt::Key_X);
    QCOMPARE(p.Text(kGameWindow, kMarkCells + 1), QStringLiteral("○"));
    QCOMPARE(p.Box(kGameWindow, kCoefficientBox)->text(), QStringLiteral("x"));
    QTest::keyClick(p.Box(kGameWindow, kCoefficientBox), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(p.Text(kGameWindow, kMarkCells + 1), QStringLiteral("○×"));
    QCOMPARE(p.game().problemNumber(), 3);
  }

 private:
  std::unique_ptr<ProgramOnFakeDisk> run_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::GameWindowTest)
#include "game_window_test.moc"
