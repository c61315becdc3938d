// The game window hands each event to the game's handler of the same name
// and draws what the handler left: buttons, menu items, keys typed into the
// formula boxes, the countdown's timer.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

#include "game/ui/countdown_clock.h"
#include "game/ui/key_press_forwarder.h"
#include "shared/conversions.h"
#include "support/game_window_fixture.h"

namespace tavri::test {

class Form1WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    game_ = std::make_unique<GameWindowFixture>();
    game_->window.Load();
    game_->window.ShowCentred();
    QVERIFY(QTest::qWaitForWindowActive(&game_->window));
  }
  void cleanup() { game_.reset(); }

  void startFromButtonAndMenu() {
    Form1& form = game_->form;
    for (int round = 0; round < 2; ++round) {
      ScriptProportionalProblem(game_->platform);
      form.sikiyo[0].Caption = form.kotae[0].Caption;  // any mark left over
      form.tokutenyo.Caption = form.kotae[1].Caption;  // any total
      game_->window.Render();
      if (round == 0)
        QTest::mouseClick(Button("Command1"), Qt::LeftButton);
      else
        Action("m1a")->trigger();
      QCOMPARE(Label("sikiyo(0)")->text(), QString());
      QCOMPARE(Button("tokutenyo")->text(), QString::fromStdString(SignedText(0)));
    }
  }

  void listHelpAndExitFromButtonsAndMenus() {
    FakeForm1Windows& windows = game_->windows;
    game_->module.totalScore = 7;
    QTest::mouseClick(Button("tokutenyo"), Qt::LeftButton);
    QCOMPARE(windows.resultsModeless, 1);
    QCOMPARE(game_->module.totalScore, 0);
    Action("m1c")->trigger();
    QCOMPARE(windows.resultsModeless, 2);

    QTest::mouseClick(Button("helpyo"), Qt::LeftButton);
    Action("m5c")->trigger();
    QCOMPARE(windows.help, 2);

    QTest::mouseClick(Button("Command5"), Qt::LeftButton);
    Action("m1d")->trigger();
    QCOMPARE(windows.ended, 2);
    QCOMPARE(windows.resultsModal, 0);
  }

  void typedTextIsTheGamesText() {
    Form1& form = game_->form;
    form.TextA1.Visible = true;
    game_->window.Render();
    QLineEdit* box = Box("TextA1");
    QTest::keyClicks(box, "-12");
    QCOMPARE(form.TextA1.Text, std::string("-12"));
    // And the game's text is what the box shows.
    form.TextA1.Text.clear();
    game_->window.Render();
    QCOMPARE(box->text(), QString());
  }

  void keyAsciiOfKeys() {
    auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
      return ui::KeyAscii(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    QCOMPARE(code(Qt::Key_Return, Qt::NoModifier, "\r"), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, "\r"), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, ""), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_A, Qt::NoModifier, "a"), std::optional<int>('a'));
    QCOMPARE(code(Qt::Key_Minus, Qt::NoModifier, "-"), std::optional<int>('-'));
    QCOMPARE(code(Qt::Key_Left, Qt::NoModifier, ""), std::nullopt);
    QCOMPARE(code(Qt::Key_Shift, Qt::ShiftModifier, ""), std::nullopt);
  }

  void everyKeyStillReachesTheBox() {
    QLineEdit box;
    std::vector<int> codes;
    QString textSeenByHandler;
    new ui::KeyPressForwarder(&box, [&](int keyAscii) {
      codes.push_back(keyAscii);
      textSeenByHandler = box.text();
    });
    QSignalSpy enters(&box, &QLineEdit::returnPressed);
    QTest::keyClick(&box, Qt::Key_4);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&box, Qt::Key_Left);
    QCOMPARE(codes, (std::vector<int>{'4', 13, 13}));
    QCOMPARE(box.text(), QStringLiteral("4"));
    QCOMPARE(enters.count(), 2);
    QCOMPARE(textSeenByHandler, QStringLiteral("4"));
  }

  void timerFollowsTheInterval() {
    Form1& form = game_->form;
    auto* timer = game_->window.findChild<QTimer*>("Timer1");
    QVERIFY(timer);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QVERIFY(!timer->isActive());  // the load handler leaves it at 0

    form.Timer1.Start(2000);
    game_->window.Render();
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2000);

    form.Timer1.Interval = 0;
    game_->window.Render();
    QVERIFY(!timer->isActive());
  }

  void aNewStartBeginsAFullPeriod() {
    using ui::ClockChange;
    using ui::FollowTimer;
    Timer timer;
    QCOMPARE(FollowTimer(timer, 0, false, 0), ClockChange::Stop);
    timer.Start(2000);
    const unsigned started = timer.Starts;
    QCOMPARE(FollowTimer(timer, 0, false, 0), ClockChange::Restart);
    // Drawing again leaves a running countdown alone...
    QCOMPARE(FollowTimer(timer, started, true, 2000), ClockChange::Keep);
    // ...but a handler that stopped it and started the next problem wants a
    // whole new period, though the interval reads 2000 before and after.
    timer.Interval = 0;
    timer.Start(2000);
    QCOMPARE(FollowTimer(timer, started, true, 2000), ClockChange::Restart);
    timer.Interval = 0;
    QCOMPARE(FollowTimer(timer, timer.Starts, true, 2000), ClockChange::Stop);
  }

  void focusRequestIsMetOnceAndCleared() {
    Form1& form = game_->form;
    form.TextA2.Visible = true;
    form.focusRequest = Focus::TextA2;
    game_->window.Render();
    QCOMPARE(QApplication::focusWidget(), Box("TextA2"));
    QCOMPARE(form.focusRequest, Focus::None);
    Button("Command3")->setFocus();
    game_->window.Render();
    QCOMPARE(QApplication::focusWidget(), Button("Command3"));
  }

  void enterOnTheFocusedButtonPressesIt() {
    ScriptProportionalProblem(game_->platform);
    game_->form.tokutenyo.Caption.clear();
    game_->window.Render();
    QCOMPARE(QApplication::focusWidget(), Button("Command1"));
    QTest::keyClick(Button("Command1"), Qt::Key_Return);
    QCOMPARE(Button("tokutenyo")->text(), QString::fromStdString(SignedText(0)));
  }

  // --- With the game's problems ---------------------------------------------

  void thePointsLabelShowsAWholeTen() {
    ScriptProportionalProblem(game_->platform);
    game_->form.Command1_Click();
    game_->window.Render();
    auto* points = game_->Find<QLabel>(QStringLiteral("tokuten"));
    QCOMPARE(points->text(), QStringLiteral("10"));
    QVERIFY(QFontMetrics(points->font()).horizontalAdvance(points->text()) <= points->width());
    QCOMPARE(points->font().pixelSize(), 160);
  }

  void aProblemPlayedThroughTheWindow() {
    Form1& form = game_->form;
    auto* timer = game_->window.findChild<QTimer*>("Timer1");
    ScriptProportionalProblem(game_->platform);  // problem 1: y = 4x
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    QVERIFY(timer->isActive());
    QCOMPARE(Label("mondai(5)")->text(), QString::fromStdString(SignedText(-8)));
    QVERIFY(Button("kotae(0)")->isEnabled());

    // A tick of the countdown reaches Timer1_Timer.
    QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    QCOMPARE(Label("tokuten")->text(), QString::fromStdString(SignedText(9)));

    QTest::mouseClick(Button("kotae(0)"), Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QCOMPARE(Label("sikiyo(0)")->text(), QStringLiteral("○"));
    QCOMPARE(Button("tokutenyo")->text(), QString::fromStdString(SignedText(9)));
    QVERIFY(Box("TextA1")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Box("TextA1"));
    QVERIFY(!Button("kotae(0)")->isEnabled());

    // The main Enter key judges; the typed text is read.
    ScriptProportionalProblem(game_->platform);  // problem 2: y = 4x
    QTest::keyClicks(Box("TextA1"), "4");
    QTest::keyClick(Box("TextA1"), Qt::Key_Return);
    QCOMPARE(Label("sikiyo(0)")->text(), QStringLiteral("○○"));
    QVERIFY(!Box("TextA1")->isVisible());
    QCOMPARE(Box("TextA1")->text(), QString());
    QVERIFY(timer->isActive());
    QCOMPARE(form.problemNo, 2);

    // A letter is not judged; the keypad Enter is.
    QTest::mouseClick(Button("kotae(0)"), Qt::LeftButton);
    ScriptProportionalProblem(game_->platform);  // problem 3
    QTest::keyClick(Box("TextA1"), Qt::Key_X);
    QCOMPARE(Label("sikiyo(1)")->text(), QStringLiteral("○"));
    QCOMPARE(Box("TextA1")->text(), QStringLiteral("x"));
    QTest::keyClick(Box("TextA1"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(Label("sikiyo(1)")->text(), QStringLiteral("○×"));
    QCOMPARE(form.problemNo, 3);
  }

 private:
  QPushButton* Button(const char* name) const { return game_->Find<QPushButton>(name); }
  QLabel* Label(const char* name) const { return game_->Find<QLabel>(name); }
  QLineEdit* Box(const char* name) const { return game_->Find<QLineEdit>(name); }
  QAction* Action(const char* name) const { return game_->window.findChild<QAction*>(name); }

  std::unique_ptr<GameWindowFixture> game_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::Form1WindowTest)
#include "form1_window_test.moc"
