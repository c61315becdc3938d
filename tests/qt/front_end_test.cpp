// The Qt front end's own primitives, on their own: a text measured as a
// label draws it, a narrowed label drawn narrower, a window that takes no
// input looking as before and taking nothing, the countdown's timer, and
// which window owns which.
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "app/core/window_order.h"
#include "app/qt/qt_front_end.h"
#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"
#include "shared/window_state.h"

namespace tavri::test {

namespace {

WindowSetup SetupOf(WindowId window, const WindowDesign& design,
                    std::optional<WindowId> owner = std::nullopt) {
  return WindowSetup{window, &design, 96, owner, StackingOrder(design)};
}

// Every control shown and usable with its design caption.
WindowLook DesignLook(const WindowDesign& design) {
  WindowLook look;
  for (const ControlState& control : DesignState(design).controls)
    look.controls.push_back(ControlLook{control.text, true, true, 100, std::nullopt});
  look.menuChecked.assign(design.menus.size(), false);
  return look;
}

// The rightmost column of the picture with a pixel of `ink`, or -1.
int RightmostInk(const QImage& picture, QColor ink) {
  for (int x = picture.width() - 1; x >= 0; --x)
    for (int y = 0; y < picture.height(); ++y)
      if (picture.pixelColor(x, y) == ink) return x;
  return -1;
}

}  // namespace

class FrontEndTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The host sizes and narrows labels from these figures: they must be the
  // label's own, on one line and wrapped alike.
  void aTextIsMeasuredAsALabelDrawsIt() {
    QtFrontEnd frontEnd;
    const FontSpec font{13.5, true, 100, 96};
    const QFont drawn = DesignFont(13.5, true, 96);
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setFont(drawn);
    label.setMargin(0);
    label.setIndent(0);
    for (const char* text : {"第 1問", "ｘの値：－５～－１", "Wy", "", "二行\nです"}) {
      const TextExtent one = frontEnd.MeasureText(text, font, 0);
      label.setText(QString::fromUtf8(text));
      QCOMPARE(QSize(one.width, one.height), label.sizeHint());
    }
    QCOMPARE(frontEnd.MeasureText("", font, 0).lines, 1);
    QCOMPARE(frontEnd.MeasureText("二行\nです", font, 0).lines, 2);
    QCOMPARE(frontEnd.MeasureText("Wy", font, 0).descent, QFontMetrics(drawn).descent());

    label.setWordWrap(true);
    label.setText(QStringLiteral("中学校１・２年の「関数関係」を対応表から見つけ出すゲームです。"));
    const TextExtent wrapped = frontEnd.MeasureText(label.text().toStdString(), font, 200);
    QVERIFY(wrapped.lines >= 3);
    QVERIFY(wrapped.width <= 200);
    QCOMPARE(wrapped.height, label.heightForWidth(200));
    // Narrowed, the same text takes fewer lines.
    const FontSpec narrowed{13.5, true, 60, 96};
    QVERIFY(frontEnd.MeasureText(label.text().toStdString(), narrowed, 200).lines < wrapped.lines);
  }

  void aLabelIsDrawnAsTheLookSays() {
    const WindowDesign& design = game_window::Design();
    DesignedWindow window(design, 96, StackingOrder(design));
    WindowLook look = DesignLook(design);
    look.controls[game_window::kProblemHeading].size = PixelSize{40, 30};
    window.Draw(look);
    auto* points = window.Control<QLabel>(game_window::kPoints);
    auto* heading = window.Control<QLabel>(game_window::kProblemHeading);
    // An auto-sized label keeps its corner and takes the size it is given.
    QCOMPARE(heading->geometry(), QRect(88, 8, 40, 30));

    // The glyphs narrowed, not the font made smaller: the digits end
    // further left and keep their height.
    look.controls[game_window::kPoints].text = "10";
    window.Draw(look);
    const QColor ink = points->palette().color(QPalette::WindowText);
    const int fullRight = RightmostInk(points->grab().toImage(), ink);
    look.controls[game_window::kPoints].widthPercent = 60;
    window.Draw(look);
    QCOMPARE(window.WidthPercent(game_window::kPoints), 60);
    QCOMPARE(points->font().pixelSize(), 160);
    const int narrowRight = RightmostInk(points->grab().toImage(), ink);
    QVERIFY2(narrowRight > 0 && narrowRight < fullRight * 7 / 10,
             qPrintable(QStringLiteral("%1 of %2").arg(narrowRight).arg(fullRight)));
  }

  // A window blocked behind a box or the results window: not greyed, and
  // nothing the player does reaches it.
  void aWindowThatTakesNoInputLooksTheSameAndTakesNothing() {
    const WindowDesign& design = game_window::Design();
    QtFrontEnd frontEnd;
    frontEnd.Build(SetupOf(WindowId::Game, design));
    frontEnd.Draw(WindowId::Game, DesignLook(design));
    frontEnd.Show(WindowId::Game);
    DesignedWindow* window = frontEnd.Window(WindowId::Game);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage before = window->grab().toImage();
    QMenuBar* bar = window->menuBar();
    QMenu* menu = bar->actions()[0]->menu();
    const QPoint heading = bar->actionGeometry(bar->actions()[0]).center();
    QTest::mouseClick(bar, Qt::LeftButton, {}, heading);
    QVERIFY(menu->isVisible());

    // An open menu goes, or it would hold the keyboard and mouse.
    frontEnd.SetInputEnabled(WindowId::Game, false);
    QVERIFY(!menu->isVisible());
    QVERIFY(!frontEnd.TakesInput(WindowId::Game));
    QCOMPARE(window->grab().toImage(), before);
    QVERIFY(window->windowHandle()->flags() & Qt::WindowDoesNotAcceptFocus);
    QSignalSpy clicked(window, &DesignedWindow::clicked);
    QSignalSpy keys(window, &DesignedWindow::keyPressed);
    QSignalSpy closeBox(window, &DesignedWindow::closeBoxClicked);
    auto* start = window->Control<QPushButton>(game_window::kStartButton);
    auto* box = window->Control<QLineEdit>(game_window::kCoefficientBox);
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::keyClick(start, Qt::Key_Space);
    QTest::keyClicks(box, QStringLiteral("12"));
    QVERIFY(!window->close());
    QTest::mouseClick(bar, Qt::LeftButton, {}, heading);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(keys.count(), 0);
    QCOMPARE(closeBox.count(), 0);
    QCOMPARE(box->text(), QString());
    QVERIFY(window->isVisible());
    QVERIFY(!menu->isVisible());

    frontEnd.SetInputEnabled(WindowId::Game, true);
    QVERIFY(!(window->windowHandle()->flags() & Qt::WindowDoesNotAcceptFocus));
    QTest::mouseClick(start, Qt::LeftButton);
    QTest::keyClicks(box, QStringLiteral("12"));
    QVERIFY(!window->close());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(keys.count(), 2);
    QCOMPARE(closeBox.count(), 1);
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

  // The results window stays in front of the game window, with no task-bar
  // button of its own; the help window is a window of its own.
  void theOwnerIsTheWindowSystemsToo() {
    QtFrontEnd frontEnd;
    frontEnd.Build(SetupOf(WindowId::Game, game_window::Design()));
    frontEnd.Build(SetupOf(WindowId::Results, results_window::Design(), WindowId::Game));
    frontEnd.Build(SetupOf(WindowId::Help, game_window::Design()));
    for (WindowId window : {WindowId::Game, WindowId::Results, WindowId::Help})
      frontEnd.Show(window);
    DesignedWindow* game = frontEnd.Window(WindowId::Game);
    DesignedWindow* results = frontEnd.Window(WindowId::Results);
    DesignedWindow* help = frontEnd.Window(WindowId::Help);
    QCOMPARE(results->windowHandle()->transientParent(), game->windowHandle());
    QCOMPARE(results->windowHandle()->type(), Qt::Dialog);
    QCOMPARE(help->windowHandle()->transientParent(), nullptr);
    QCOMPARE(help->windowHandle()->type(), Qt::Window);
    QCOMPARE(game->windowHandle()->type(), Qt::Window);
    // Destroyed, it reports nothing and goes with the next turn of the loop.
    QSignalSpy closeBox(results, &DesignedWindow::closeBoxClicked);
    QPointer<DesignedWindow> gone = results;
    frontEnd.Destroy(WindowId::Results);
    QCOMPARE(frontEnd.Window(WindowId::Results), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(gone.isNull());
    QCOMPARE(closeBox.count(), 0);
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::FrontEndTest)
#include "front_end_test.moc"
