// Which window became active decides whether the "スタート" notice shows: on
// the first show and on every return to the game window from another window
// of the program, never when one of its message boxes closes and never on a
// return from another application.
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <vector>

#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/qt/activation_watcher.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

namespace {

std::vector<MessageKind> Kinds(const ScriptedBoxes& boxes) {
  std::vector<MessageKind> kinds;
  for (const auto& shown : boxes.shown) kinds.push_back(shown.message.kind);
  return kinds;
}

}  // namespace

class ActivationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void whereAnActivationComesFrom() {
    QWidget game;
    QWidget help;
    QMessageBox boxOverGame(&game);
    QMessageBox boxOverHelp(&help);
    QMenu menu(&game);
    std::vector<WindowId> reported;
    // Nothing is shown and no event processed: only the calls below reach it.
    ActivationWatcher watcher(
        [&](const QWidget* window) -> std::optional<WindowId> {
          if (window == &game) return WindowId::Game;
          if (window == &help) return WindowId::Help;
          return std::nullopt;
        },
        [&](WindowId window) { reported.push_back(window); });

    watcher.Observe(&game);
    watcher.Observe(&game);         // still the same window
    watcher.Observe(&boxOverGame);  // counts as the game window
    watcher.Observe(&game);
    watcher.Observe(&help);
    watcher.Observe(nullptr);       // another application
    watcher.Observe(&help);         // and back: the same window as before
    watcher.Observe(&menu);         // a menu takes nothing
    watcher.Observe(&boxOverHelp);
    QWidget stranger;
    watcher.Observe(&stranger);     // not one of the program's
    QCOMPARE(reported, (std::vector<WindowId>{WindowId::Game, WindowId::Game, WindowId::Game,
                                              WindowId::Help, WindowId::Help}));
  }

  void aNoticeOnTheFirstShowAndOnEveryReturnFromAnotherWindow() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    QVERIFY(p.Start());
    const Message& notice = p.boxes.shown[0].message;
    QCOMPARE(notice.title, std::string("スタート"));
    QCOMPARE(notice.text, std::string("「スタート」ボタンをクリックすると，始まります。"));
    QCOMPARE(notice.icon, MessageIcon::Exclamation);
    QCOMPARE(notice.buttons, MessageButtons::Ok);
    QCOMPARE(p.boxes.shown[0].owner.data(), p.Window(kGameWindow));

    QVERIFY(p.Click(kGameWindow, game_window::kHelpButton));
    QVERIFY(p.WaitActive(kHelpWindow));
    QVERIFY(p.Click(kHelpWindow, help_window::kBackButton));
    QVERIFY(p.WaitActive(kGameWindow));
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{2});

    QVERIFY(p.Click(kGameWindow, game_window::kTotalButton));
    QVERIFY(p.WaitActive(kResultsWindow));
    QVERIFY(p.Click(kResultsWindow, results_window::kBackButton));
    QVERIFY(p.WaitActive(kGameWindow));
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{3});
  }

  void noNoticeWhenAMessageBoxCloses() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    QVERIFY(p.Start());
    QMessageBox box(p.Window(kGameWindow));
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitFor([&box] { return QApplication::activeWindow() == &box; }));
    box.hide();
    p.Window(kGameWindow)->activateWindow();
    QVERIFY(p.WaitActive(kGameWindow));
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{1});
  }

  void noNoticeOnAReturnFromAnotherApplication() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    QVERIFY(p.Start());
    // The offscreen desktop has no other application to switch to; the
    // application's own switch does what the desktop would.
    QApplication::setActiveWindow(nullptr);
    QCOMPARE(QApplication::activeWindow(), nullptr);
    QApplication::setActiveWindow(p.Window(kGameWindow));
    QVERIFY(p.WaitActive(kGameWindow));
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{1});
  }

  // 初期化 → OK closes the results window at once, from its confirmation
  // box: the return to the game window is a return from the results window
  // all the same, for the list opened to look at and at a game's end.
  void aReturnAfterTheListIsClearedShowsTheNotice() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    p.boxes.onScreen = true;
    QVERIFY(p.Start());

    QVERIFY(p.Click(kGameWindow, game_window::kTotalButton));
    QVERIFY(p.WaitActive(kResultsWindow));
    QVERIFY(p.Click(kResultsWindow, results_window::kClearButton));
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QVERIFY(p.WaitActive(kGameWindow));
    QCOMPARE(Kinds(p.boxes), (std::vector<MessageKind>{MessageKind::StartNotice,
                                                       MessageKind::ConfirmClear,
                                                       MessageKind::StartNotice}));

    QVERIFY(p.PlayToGameEnd(30));
    QVERIFY(p.WaitActive(kResultsWindow));
    QVERIFY(p.Click(kResultsWindow, results_window::kClearButton));
    QVERIFY(p.WaitActive(kGameWindow));
    // The restart message and the notice, in the order the desktop's
    // activations come.
    QCOMPARE(p.boxes.Count(MessageKind::Restart), std::size_t{1});
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{3});
    QCOMPARE(p.boxes.activated, std::vector<bool>(p.boxes.shown.size(), true));
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::ActivationTest)
#include "activation_test.moc"
