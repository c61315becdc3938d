// The three windows against the design, as the player sees them after
// start-up: every kind of control and the first and last of every row of
// like controls, the windows, the menu tree, the stacking, the tab order and
// the first focus. The expectations are this test's own, in pixels (twips ÷
// 15, points × 4 / 3), kept apart from the tables the windows are built
// from, so a slip in either shows up here.
#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>
#include <optional>
#include <set>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/qt/design_line.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

namespace {

enum class Kind { Label, Button, TextBox, Frame, Line };
using Colour = std::optional<QColor>;
const Colour kToolkit = std::nullopt;
const QColor kWhite(255, 255, 255), kBlue(0, 0, 255), kOrange(255, 128, 0), kYellow(255, 255, 0),
    kLightGreen(128, 255, 128), kGreen(0, 255, 0), kBlack(0, 0, 0);

struct Expected {
  const char* name;
  Kind kind;
  const char* parent;
  QRect rect;  // a line: x1, y1, x2, y2; an auto-sized label: its corner
  int fontPixels;
  bool bold;
  Colour back, fore;
  char align;  // L, C, R
  bool autoSize;
};

const Expected kGame[] = {
    {"monbang", Kind::Label, "client", {88, 8, 0, 0}, 19, true, QColor(255, 0, 0), kBlue, 'L', true},
    {"bango(0)", Kind::Label, "client", {8, 8, 17, 25}, 27, true, QColor(0, 0, 128), kWhite, 'L', false},
    {"bango(4)", Kind::Label, "client", {8, 104, 17, 25}, 27, true, QColor(0, 0, 128), kWhite, 'L', false},
    {"sikiyo(0)", Kind::Label, "client", {32, 8, 49, 25}, 21, true, kYellow, kToolkit, 'L', false},
    {"sikiyo(4)", Kind::Label, "client", {32, 104, 49, 25}, 21, true, kYellow, kToolkit, 'L', false},
    {"Label1", Kind::Label, "client", {152, 8, 57, 65}, 64, true, kBlue, kWhite, 'C', false},
    {"Label4", Kind::Label, "client", {208, 72, 361, 17}, 18, false, kBlue, kToolkit, 'L', false},
    {"mondai(0)", Kind::Label, "client", {208, 24, 73, 49}, 37, true, kBlue, kWhite, 'C', false},
    {"mondai(9)", Kind::Label, "client", {496, 88, 73, 49}, 37, true, kBlue, kWhite, 'C', false},
    {"Line1", Kind::Line, "client", {152, 80, 568, 80}, 0, false, kToolkit, kWhite, 'L', false},
    {"Line2", Kind::Line, "client", {208, 8, 208, 136}, 0, false, kToolkit, kWhite, 'L', false},
    {"tokuten", Kind::Label, "client", {8, 144, 177, 161}, 160, true, QColor(0, 64, 0), kGreen, 'L', false},
    {"tokutenyo", Kind::Button, "client", {8, 312, 177, 81}, 64, false, kToolkit, kToolkit, 'C', false},
    {"Frame1(0)", Kind::Frame, "client", {192, 144, 377, 185}, 27, true, kOrange, QColor(0, 0, 192), 'L', false},
    {"kotae(0)", Kind::Button, "Frame1(0)", {24, 32, 161, 33}, 18, false, kToolkit, kToolkit, 'C', false},
    {"kotae(3)", Kind::Button, "Frame1(0)", {200, 72, 161, 33}, 18, false, kToolkit, kToolkit, 'C', false},
    {"TextA1", Kind::TextBox, "Frame1(0)", {128, 136, 41, 33}, 24, false, kToolkit, kToolkit, 'L', false},
    {"LaX1", Kind::Label, "Frame1(0)", {176, 128, 0, 0}, 32, false, kOrange, kYellow, 'L', true},
    {"La2", Kind::Label, "Frame1(0)", {192, 128, 9, 17}, 16, true, kOrange, kYellow, 'L', false},
    {"TextA2", Kind::TextBox, "Frame1(0)", {120, 112, 57, 33}, 24, false, kToolkit, kToolkit, 'L', false},
    {"Line3", Kind::Line, "Frame1(0)", {120, 152, 176, 152}, 0, false, kToolkit, kYellow, 'L', false},
    {"enter", Kind::Label, "Frame1(0)", {256, 128, 113, 49}, 16, true, kBlue, kWhite, 'L', false},
    {"Command1", Kind::Button, "client", {192, 336, 129, 57}, 29, true, kToolkit, kToolkit, 'C', false},
    {"Command3", Kind::Button, "client", {328, 360, 145, 33}, 16, false, kToolkit, kToolkit, 'C', false},
    {"helpyo", Kind::Button, "client", {88, 104, 57, 33}, 18, false, kToolkit, kToolkit, 'C', false},
};

const Expected kResults[] = {
    {"Label1", Kind::Label, "client", {8, 8, 0, 0}, 27, true, QColor(0, 128, 0), QColor(255, 0, 0), 'L', true},
    {"Command2", Kind::Button, "client", {216, 8, 49, 25}, 12, false, kToolkit, kToolkit, 'C', false},
    {"enz0", Kind::Label, "client", {104, 40, 113, 17}, 18, false, kLightGreen, kToolkit, 'C', false},
    {"jyun(0)", Kind::Label, "client", {16, 80, 25, 25}, 21, true, kLightGreen, kToolkit, 'C', false},
    {"jyun(4)", Kind::Label, "client", {16, 200, 25, 25}, 21, true, kLightGreen, kToolkit, 'C', false},
    {"namae(0)", Kind::Label, "client", {64, 80, 129, 25}, 18, false, kLightGreen, kToolkit, 'L', false},
    {"namae(4)", Kind::Label, "client", {64, 200, 129, 25}, 18, false, kLightGreen, kToolkit, 'L', false},
    {"jikan(0)", Kind::Label, "client", {208, 80, 41, 25}, 21, true, kLightGreen, kToolkit, 'R', false},
    {"jikan(4)", Kind::Label, "client", {208, 200, 41, 25}, 21, true, kLightGreen, kToolkit, 'R', false},
    {"Line2", Kind::Line, "client", {8, 240, 264, 240}, 0, false, kToolkit, kBlack, 'L', false},
    {"Line1", Kind::Line, "client", {8, 248, 264, 248}, 0, false, kToolkit, kBlack, 'L', false},
    {"Label3", Kind::Label, "client", {8, 256, 0, 0}, 21, true, QColor(0, 255, 255), kBlue, 'L', true},
    {"jyun1(0)", Kind::Label, "client", {160, 256, 25, 25}, 21, true, kLightGreen, kToolkit, 'C', false},
    {"jikan1(2)", Kind::Label, "client", {208, 316, 41, 25}, 21, true, kLightGreen, kToolkit, 'R', false},
    {"Label2", Kind::Label, "client", {16, 296, 65, 17}, 12, false, kLightGreen, QColor(255, 0, 0), 'L', false},
    {"jikan9", Kind::Label, "client", {32, 320, 57, 25}, 21, true, kLightGreen, kToolkit, 'R', false},
    {"Line3", Kind::Line, "client", {8, 352, 264, 352}, 0, false, kToolkit, kBlack, 'L', false},
    {"Label6", Kind::Label, "client", {8, 360, 257, 25}, 16, false, kLightGreen, QColor(0, 64, 64), 'L', false},
    {"Text1", Kind::TextBox, "client", {88, 384, 121, 27}, 18, false, QColor(128, 128, 255), kToolkit, 'L', false},
    {"Command1", Kind::Button, "client", {216, 384, 49, 25}, 14, false, kToolkit, kToolkit, 'C', false},
};

// The instructions are narrowed to fit their boxes, at the designed size.
const Expected kHelp[] = {
    {"Label3", Kind::Label, "client", {24, 88, 369, 137}, 19, false, kGreen, kBlack, 'L', false},
    {"Label4", Kind::Label, "client", {24, 232, 369, 121}, 19, false, kGreen, kBlack, 'L', false},
    {"Label2", Kind::Label, "client", {24, 8, 370, 73}, 24, true, QColor(0, 255, 255), QColor(255, 0, 0), 'L', false},
    {"Label6", Kind::Label, "client", {24, 360, 369, 41}, 19, false, kGreen, kBlack, 'L', false},
    {"Label5", Kind::Label, "client", {72, 408, 0, 0}, 19, true, QColor(255, 0, 255), kWhite, 'L', true},
    {"Command1", Kind::Button, "client", {320, 408, 65, 33}, 16, false, kToolkit, kToolkit, 'C', false},
};

const QString kFace = QStringLiteral("ＭＳ Ｐゴシック");

bool IsToolkitColour(const QWidget* widget, QPalette::ColorRole role, const Colour& designed) {
  const QColor shown = widget->palette().color(QPalette::Active, role);
  return shown == designed.value_or(QApplication::palette(widget).color(QPalette::Active, role));
}

// Every property of one control against its expectation; false with the
// reason written out.
bool Matches(const QWidget* window, const Expected& e) {
  const auto fail = [&e](const char* what) {
    qWarning("%s: %s", e.name, what);
    return false;
  };
  const auto* widget = window->findChild<QWidget*>(QString::fromUtf8(e.name));
  if (!widget) return fail("missing");
  if (widget->parentWidget()->objectName() != QString::fromUtf8(e.parent)) return fail("parent");
  if (e.kind == Kind::Line) {
    const auto* line = qobject_cast<const DesignLine*>(widget);
    if (!line) return fail("not a line");
    if (line->line() != QLine(e.rect.left(), e.rect.top(), e.rect.width(), e.rect.height()))
      return fail("ends");
    return line->colour() == *e.fore ? true : fail("colour");
  }
  // An auto-sized label takes its text's size once it is shown.
  const bool sized = !widget->isVisibleTo(window) || widget->size() == widget->sizeHint();
  if (e.autoSize ? widget->pos() != e.rect.topLeft() || !sized
                 : widget->geometry() != QRect(e.rect.x(), e.rect.y(), e.rect.width(), e.rect.height()))
    return fail("geometry");

  const QFont font = widget->font();
  if (font.pixelSize() != e.fontPixels) return fail("font size");
  if (font.weight() != (e.bold ? QFont::Bold : QFont::Normal)) return fail("weight");
  if (font.italic() || font.underline() || font.strikeOut()) return fail("style");
  // The designed face where it is installed, else its stand-in.
  const QString resolved = QFontInfo(font).family();
  if (resolved != kFace && resolved != QStringLiteral("IPAPGothic")) return fail("face");

  const bool box = e.kind == Kind::TextBox;
  if (!IsToolkitColour(widget, box ? QPalette::Base : QPalette::Window, e.back)) return fail("back");
  if (!IsToolkitColour(widget, box ? QPalette::Text : QPalette::WindowText, e.fore)) return fail("fore");
  if (e.kind == Kind::Button && !IsToolkitColour(widget, QPalette::Button, kToolkit))
    return fail("button colour");

  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const Qt::Alignment across = e.align == 'C'   ? Qt::AlignHCenter
                                 : e.align == 'R' ? Qt::AlignRight
                                                  : Qt::AlignLeft;
    if (e.kind != Kind::Label || !label->autoFillBackground()) return fail("opaque label");
    if (label->textFormat() != Qt::PlainText || label->frameShape() != QFrame::NoFrame)
      return fail("plain borderless text");
    if (label->alignment() != (across | Qt::AlignTop)) return fail("alignment");
    if (label->wordWrap() == e.autoSize) return fail("wrapping");
    if (label->focusPolicy() != Qt::NoFocus) return fail("focus");
  } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    if (e.kind != Kind::Button || !button->autoDefault()) return fail("button");
  } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
    if (e.kind != Kind::Frame || frame->focusPolicy() != Qt::NoFocus || !frame->autoFillBackground())
      return fail("frame");
  } else if (!qobject_cast<const QLineEdit*>(widget) || !box) {
    return fail("kind");
  }
  return true;
}

QStringList TabOrder(QWidget* window, QWidget* first, int most) {
  QStringList order;
  QWidget* widget = first;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && window->isAncestorOf(widget))
      order << widget->objectName();
    widget = widget->nextInFocusChain();
  } while (widget != first && order.size() <= most);
  return order;
}

}  // namespace

class LayoutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")) || QFontDatabase::hasFamily(kFace));
    files_ = std::make_unique<FakeFileSystem>();
    program_ = std::make_unique<HostedProgram>(*files_, "tavri.rnk");
    QVERIFY(program_->Start());
  }
  void cleanupTestCase() {
    program_.reset();
    files_.reset();
  }

  void theGameWindow() {
    DesignedWindow* game = program_->Window(kGameWindow);
    for (const Expected& e : kGame) QVERIFY2(Matches(game, e), e.name);
    QCOMPARE(game->objectName(), QStringLiteral("Form1"));
    QCOMPARE(game->windowTitle(), QStringLiteral("Ranvik（Orsel)"));
    QWidget* client = game->client();
    QCOMPARE(client->size(), QSize(580, 401));
    // Right below the menu bar, and the window is nothing more.
    QCOMPARE(client->y(), game->menuBar()->geometry().bottom() + 1);
    QCOMPARE(game->size(), QSize(580, game->menuBar()->height() + 401));
    QCOMPARE(game->minimumSize(), game->maximumSize());
    QVERIFY(client->autoFillBackground());
    QCOMPARE(client->palette().color(QPalette::Window), QColor(0, 128, 0));
    QCOMPARE(client->font().pixelSize(), 18);
    QCOMPARE(client->font().weight(), QFont::Normal);
    // The 47 controls of the design, no more.
    int controls = 0;
    for (QWidget* widget : client->findChildren<QWidget*>()) {
      if (qobject_cast<QLineEdit*>(widget->parentWidget())) continue;  // a box's own parts
      QVERIFY(!widget->objectName().isEmpty());
      ++controls;
    }
    QCOMPARE(controls, 47);
  }

  void theGameWindowAfterStartUp() {
    DesignedWindow* game = program_->Window(kGameWindow);
    const std::set<QString> hidden{QStringLiteral("TextA1"), QStringLiteral("TextA2"),
                                   QStringLiteral("TextB"),  QStringLiteral("LaY"),
                                   QStringLiteral("LaX1"),   QStringLiteral("LaX2"),
                                   QStringLiteral("Line3"),  QStringLiteral("La2"),
                                   QStringLiteral("enter"),  QStringLiteral("kotae(3)")};
    int shown = 0;
    for (QWidget* widget : game->client()->findChildren<QWidget*>()) {
      if (qobject_cast<QLineEdit*>(widget->parentWidget())) continue;  // a box's own parts
      QCOMPARE(widget->isVisible(), !hidden.count(widget->objectName()));
      QCOMPARE(widget->isEnabled(), !widget->objectName().startsWith(QStringLiteral("kotae")));
      shown += widget->isVisible();
    }
    QCOMPARE(shown, 47 - 10);
    QCOMPARE(program_->Text(kGameWindow, game_window::kRangeButton), QStringLiteral("ｘの値：－２～２"));
    QCOMPARE(program_->Text(kGameWindow, game_window::kProblemHeading), QStringLiteral("番  号"));
    QCOMPARE(program_->Text(kGameWindow, game_window::kPoints), QStringLiteral("点"));
    QCOMPARE(program_->Text(kGameWindow, game_window::kTotalButton), QStringLiteral("得点"));
  }

  void stacking() {
    // Later among its siblings is further in front.
    DesignedWindow* game = program_->Window(kGameWindow);
    const auto depth = [game](const char* name) {
      QWidget* widget = game->findChild<QWidget*>(QString::fromUtf8(name));
      return widget->parentWidget()->children().indexOf(widget);
    };
    for (const char* behind : {"Label1", "Label2", "Label3", "Label4", "mondai(0)", "mondai(9)"}) {
      QVERIFY2(depth("Line1") > depth(behind), behind);
      QVERIFY2(depth("Line2") > depth(behind), behind);
    }
    QVERIFY(depth("Line3") > depth("LaX2"));
    for (const char* front : {"TextA1", "TextA2", "TextB", "kotae(0)"})
      for (const char* behind : {"Line3", "LaX2", "LaY", "LaX1", "La2", "enter"})
        QVERIFY2(depth(front) > depth(behind), front);
    for (const char* front : {"Command1", "tokutenyo", "helpyo", "Frame1(0)"})
      QVERIFY2(depth(front) > depth("Line2") && depth(front) > depth("tokuten"), front);
  }

  void menus() {
    struct Item {
      const char* name;
      const char* caption;  // nullptr: a separator
      bool checkable;
    };
    struct Top {
      const char* name;
      const char* caption;
      std::vector<Item> items;
    };
    const std::vector<Top> tree{
        {"m1", "ゲーム",
         {{"m1a", "スタート", false}, {"s1", nullptr, false}, {"m1c", "一覧", false},
          {"s2", nullptr, false}, {"m1d", "終了", false}}},
        {"m4", "ｘの値",
         {{"en(0)", "－２～２", true}, {"en(1)", "１～５", true},
          {"en(2)", "－５～－１", true}, {"en(3)", "ランダム", true}}},
        {"m5", "ヘルプ", {{"m5c", "説明", false}}},
    };
    const QList<QAction*> tops = program_->Window(kGameWindow)->menuBar()->actions();
    QCOMPARE(tops.size(), qsizetype(tree.size()));
    for (std::size_t t = 0; t < tree.size(); ++t) {
      QAction* top = tops[qsizetype(t)];
      QCOMPARE(top->objectName(), QString::fromUtf8(tree[t].name));
      QCOMPARE(top->text(), QString::fromUtf8(tree[t].caption));
      QVERIFY(top->shortcut().isEmpty() && top->menu());
      const QList<QAction*> items = top->menu()->actions();
      QCOMPARE(items.size(), qsizetype(tree[t].items.size()));
      for (qsizetype i = 0; i < items.size(); ++i) {
        const Item& want = tree[t].items[std::size_t(i)];
        QAction* item = items[i];
        QCOMPARE(item->objectName(), QString::fromUtf8(want.name));
        QCOMPARE(item->isSeparator(), want.caption == nullptr);
        if (want.caption) QCOMPARE(item->text(), QString::fromUtf8(want.caption));
        QCOMPARE(item->isCheckable(), want.checkable);
        // After start-up only the first range carries the check mark.
        QCOMPARE(item->isChecked(), QString::fromUtf8(want.name) == QStringLiteral("en(0)"));
        QVERIFY(item->shortcut().isEmpty() && !item->text().contains(QLatin1Char('&')));
        QVERIFY(item->isEnabled() && item->isVisible());
      }
    }
  }

  void theGameWindowsTabOrderAndFirstFocus() {
    DesignedWindow* game = program_->Window(kGameWindow);
    QWidget* start = game->Control(game_window::kStartButton);
    const QStringList expected{
        QStringLiteral("Command1"), QStringLiteral("Command3"), QStringLiteral("Command5"),
        QStringLiteral("tokutenyo"), QStringLiteral("helpyo"),  QStringLiteral("kotae(0)"),
        QStringLiteral("kotae(1)"), QStringLiteral("kotae(2)"), QStringLiteral("kotae(3)"),
        QStringLiteral("TextA1"),   QStringLiteral("TextB"),    QStringLiteral("TextA2")};
    QCOMPARE(TabOrder(game, start, int(expected.size())), expected);
    QCOMPARE(QApplication::focusWidget(), start);
  }

  void theResultsWindow() {
    QVERIFY(program_->PlayToGameEnd(30));
    DesignedWindow* results = program_->Window(kResultsWindow);
    for (const Expected& e : kResults) QVERIFY2(Matches(results, e), e.name);
    QCOMPARE(results->objectName(), QStringLiteral("Form3"));
    QCOMPARE(results->windowTitle(), QStringLiteral("Ranvik(Orsel)"));
    QCOMPARE(results->size(), QSize(272, 418));
    QCOMPARE(results->minimumSize(), results->maximumSize());
    QCOMPARE(results->client()->palette().color(QPalette::Window), kLightGreen);
    QCOMPARE(results->findChild<QLineEdit*>(QStringLiteral("Text1"))->maxLength(), 32767);
    QVERIFY(!results->findChild<QWidget*>(QStringLiteral("jyun(5)")));
    QCOMPARE(TabOrder(results, results->Control(results_window::kNameBox), 3),
             QStringList({QStringLiteral("Text1"), QStringLiteral("Command1"), QStringLiteral("Command2")}));
    QVERIFY(program_->Click(kResultsWindow, results_window::kBackButton));
  }

  void theHelpWindow() {
    QVERIFY(program_->Click(kGameWindow, game_window::kHelpButton));
    DesignedWindow* help = program_->Window(kHelpWindow);
    for (const Expected& e : kHelp) QVERIFY2(Matches(help, e), e.name);
    QCOMPARE(help->objectName(), QStringLiteral("Form2"));
    QCOMPARE(help->windowTitle(), QStringLiteral("Ranvik(Orsel)"));
    QCOMPARE(help->size(), QSize(406, 443));
    QCOMPARE(help->client()->palette().color(QPalette::Window), kBlue);
  }

  // On a screen of 144 dots per inch everything is half as large again.
  void aScreenOfAnotherDensity() {
    DesignedWindow game(game_window::Design(), 144, {});
    QCOMPARE(game.client()->size(), QSize(870, 602));
    QCOMPARE(game.Control(game_window::kXCells)->geometry(), QRect(312, 36, 110, 74));
    QCOMPARE(game.Control(game_window::kXCells)->font().pixelSize(), 56);
    QCOMPARE(game.Control<DesignLine>(game_window::kRowSeparator)->penWidth(), 8);
    QCOMPARE(game.Control<DesignLine>(game_window::kRowSeparator)->line(), QLine(228, 120, 852, 120));
  }

 private:
  std::unique_ptr<FakeFileSystem> files_;
  std::unique_ptr<HostedProgram> program_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::LayoutTest)
#include "layout_test.moc"
