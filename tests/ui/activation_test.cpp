// How the game window became active decides whether the "スタート" notice
// shows: on the first show and on a return from another window of the
// program, not when one of its message boxes closes and not on a return from
// another application.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <vector>

#include "game/ui/activation_watcher.h"
#include "support/game_window_fixture.h"

namespace tavri::test {

class ActivationTest : public QObject {
  Q_OBJECT

 private slots:
  void originsOfAnActivation() {
    QWidget game;
    QWidget help;
    QMessageBox box;
    QMenu menu;
    // Shown, as they would be when active; the watcher comes after, and no
    // events are processed, so only the calls below reach it.
    for (QWidget* window : std::initializer_list<QWidget*>{&game, &help, &box}) window->show();
    std::vector<Activation> seen;
    ui::ActivationWatcher watcher(&game, [&](Activation how) { seen.push_back(how); });

    watcher.Observe(&game);
    watcher.Observe(&game);  // still the same window: no activation
    watcher.Observe(&box);
    watcher.Observe(&game);
    watcher.Observe(&help);
    watcher.Observe(&game);
    watcher.Observe(nullptr);
    watcher.Observe(&game);
    watcher.Observe(&menu);  // a menu never takes the activation
    watcher.Observe(&game);
    QCOMPARE(seen, (std::vector<Activation>{Activation::FirstShow, Activation::FromMessageBox,
                                            Activation::FromProgramWindow,
                                            Activation::FromOtherApplication}));

    // No window is active for a moment after ours is hidden or closed: the
    // player is still where that window was.
    seen.clear();
    watcher.Observe(&box);
    box.hide();
    watcher.Observe(nullptr);
    watcher.Observe(&game);
    watcher.Observe(&help);
    help.hide();
    watcher.Observe(nullptr);
    watcher.Observe(&game);
    auto closing = std::make_unique<QWidget>();
    closing->show();
    watcher.Observe(closing.get());
    closing.reset();
    watcher.Observe(nullptr);
    watcher.Observe(&game);
    QCOMPARE(seen, (std::vector<Activation>{Activation::FromMessageBox,
                                            Activation::FromProgramWindow,
                                            Activation::FromProgramWindow}));
  }

  void noticeOnFirstShowAndReturnFromAProgramWindow() {
    GameWindowFixture game;
    game.window.Load();
    QVERIFY(game.platform.boxes.empty());  // not before the window is on screen
    game.window.ShowCentred();
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(1));
    QCOMPARE(game.platform.boxes[0].title, std::string("スタート"));
    QCOMPARE(game.platform.boxes[0].text, std::string("「スタート」ボタンをクリックすると，始まります。"));
    QCOMPARE(game.platform.boxes[0].icon, MessageIcon::Exclamation);
    QCOMPARE(game.platform.boxes[0].buttons, MessageButtons::Ok);

    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &other);
    game.window.BringForward();
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(2));
  }

  void noNoticeWhenAMessageBoxCloses() {
    GameWindowFixture game;
    game.window.Load();
    game.window.ShowCentred();
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(1));

    QMessageBox box(&game.window);
    box.show();
    box.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &box);
    box.hide();
    game.window.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &game.window);
    QCoreApplication::processEvents();
    QCOMPARE(game.platform.boxes.size(), std::size_t(1));
  }

  void noNoticeOnReturnFromAnotherApplication() {
    GameWindowFixture game;
    game.window.Load();
    game.window.ShowCentred();
    QTRY_COMPARE(game.platform.boxes.size(), std::size_t(1));

    // The offscreen platform has no other application to switch to; the
    // application's own switch does what the platform would.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(nullptr);
    QCOMPARE(QApplication::activeWindow(), nullptr);
    QApplication::setActiveWindow(&game.window);
    QT_WARNING_POP
    QCOMPARE(QApplication::activeWindow(), &game.window);
    QCoreApplication::processEvents();
    QCOMPARE(game.platform.boxes.size(), std::size_t(1));
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::ActivationTest)
#include "activation_test.moc"
