// Which window Qt reports as active: a box counts as its owner, a menu and
// a window not the program's count for nothing, and a return from another
// application brings no "スタート" notice. When the notice shows is the
// plays' (activation.play).
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <vector>

#include "shared/qt/activation_watcher.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

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
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::ActivationTest)
#include "activation_test.moc"
