// The three windows as Qt draws them up: for every kind of control and the
// first and last of every row of like controls its widget, font, colours,
// alignment and parent; the lines' ends; the windows, the menu tree, the
// stacking, the instructions fitted in the stand-in face, and a screen of
// 144 dpi. The expectations are this test's own (points × 4 / 3 pixels),
// kept apart from the tables the windows are built from. Where each control
// lies, the tab order and the first focus are the plays' (layout.play,
// keyboard.play, windows.play).
#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>
#include <optional>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/qt/design_line.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

namespace {

enum class Kind { Label, Button, TextBox, Frame };
using Colour = std::optional<QColor>;
const Colour kToolkit = std::nullopt;
const QColor kWhite(255, 255, 255), kBlue(0, 0, 255), kOrange(255, 128, 0), kYellow(255, 255, 0),
    kLightGreen(128, 255, 128), kGreen(0, 255, 0), kBlack(0, 0, 0);

struct Expected {
  const char* name;
  Kind kind;
  const char* parent;
  int fontPixels;
  bool bold;
  Colour back, fore;
  char align;  // L, C, R
  bool autoSize;
};

struct ExpectedLine {
  const char* name;
  const char* parent;
  QLine ends;
  QColor colour;
};

const Expected kGame[] = {
    {"monbang", Kind::Label, "client", 19, true, QColor(255, 0, 0), kBlue, 'L', true},
    {"bango(0)", Kind::Label, "client", 27, true, QColor(0, 0, 128), kWhite, 'L', false},
    {"bango(4)", Kind::Label, "client", 27, true, QColor(0, 0, 128), kWhite, 'L', false},
    {"sikiyo(0)", Kind::Label, "client", 21, true, kYellow, kToolkit, 'L', false},
    {"sikiyo(4)", Kind::Label, "client", 21, true, kYellow, kToolkit, 'L', false},
    {"Label1", Kind::Label, "client", 64, true, kBlue, kWhite, 'C', false},
    {"Label4", Kind::Label, "client", 18, false, kBlue, kToolkit, 'L', false},
    {"mondai(0)", Kind::Label, "client", 37, true, kBlue, kWhite, 'C', false},
    {"mondai(9)", Kind::Label, "client", 37, true, kBlue, kWhite, 'C', false},
    {"tokuten", Kind::Label, "client", 160, true, QColor(0, 64, 0), kGreen, 'L', false},
    {"tokutenyo", Kind::Button, "client", 64, false, kToolkit, kToolkit, 'C', false},
    {"Frame1(0)", Kind::Frame, "client", 27, true, kOrange, QColor(0, 0, 192), 'L', false},
    {"kotae(0)", Kind::Button, "Frame1(0)", 18, false, kToolkit, kToolkit, 'C', false},
    {"kotae(3)", Kind::Button, "Frame1(0)", 18, false, kToolkit, kToolkit, 'C', false},
    {"TextA1", Kind::TextBox, "Frame1(0)", 24, false, kToolkit, kToolkit, 'L', false},
    {"LaX1", Kind::Label, "Frame1(0)", 32, false, kOrange, kYellow, 'L', true},
    {"La2", Kind::Label, "Frame1(0)", 16, true, kOrange, kYellow, 'L', false},
    {"TextA2", Kind::TextBox, "Frame1(0)", 24, false, kToolkit, kToolkit, 'L', false},
    {"enter", Kind::Label, "Frame1(0)", 16, true, kBlue, kWhite, 'L', false},
    {"Command1", Kind::Button, "client", 29, true, kToolkit, kToolkit, 'C', false},
    {"Command3", Kind::Button, "client", 16, false, kToolkit, kToolkit, 'C', false},
    {"helpyo", Kind::Button, "client", 18, false, kToolkit, kToolkit, 'C', false},
};

const Expected kResults[] = {
    {"Label1", Kind::Label, "client", 27, true, QColor(0, 128, 0), QColor(255, 0, 0), 'L', true},
    {"Command2", Kind::Button, "client", 12, false, kToolkit, kToolkit, 'C', false},
    {"enz0", Kind::Label, "client", 18, false, kLightGreen, kToolkit, 'C', false},
    {"jyun(0)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'C', false},
    {"jyun(4)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'C', false},
    {"namae(0)", Kind::Label, "client", 18, false, kLightGreen, kToolkit, 'L', false},
    {"namae(4)", Kind::Label, "client", 18, false, kLightGreen, kToolkit, 'L', false},
    {"jikan(0)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'R', false},
    {"jikan(4)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'R', false},
    {"Label3", Kind::Label, "client", 21, true, QColor(0, 255, 255), kBlue, 'L', true},
    {"jyun1(0)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'C', false},
    {"jikan1(2)", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'R', false},
    {"Label2", Kind::Label, "client", 12, false, kLightGreen, QColor(255, 0, 0), 'L', false},
    {"jikan9", Kind::Label, "client", 21, true, kLightGreen, kToolkit, 'R', false},
    {"Label6", Kind::Label, "client", 16, false, kLightGreen, QColor(0, 64, 64), 'L', false},
    {"Text1", Kind::TextBox, "client", 18, false, QColor(128, 128, 255), kToolkit, 'L', false},
    {"Command1", Kind::Button, "client", 14, false, kToolkit, kToolkit, 'C', false},
};

// Their two ends, in the window's pixels.
const ExpectedLine kGameLines[] = {
    {"Line1", "client", {152, 80, 568, 80}, kWhite},
    {"Line2", "client", {208, 8, 208, 136}, kWhite},
    {"Line3", "Frame1(0)", {120, 152, 176, 152}, kYellow},
};

const ExpectedLine kResultsLines[] = {
    {"Line2", "client", {8, 240, 264, 240}, kBlack},
    {"Line1", "client", {8, 248, 264, 248}, kBlack},
    {"Line3", "client", {8, 352, 264, 352}, kBlack},
};

// The instructions are narrowed to fit their boxes, at the designed size.
const Expected kHelp[] = {
    {"Label3", Kind::Label, "client", 19, false, kGreen, kBlack, 'L', false},
    {"Label4", Kind::Label, "client", 19, false, kGreen, kBlack, 'L', false},
    {"Label2", Kind::Label, "client", 24, true, QColor(0, 255, 255), QColor(255, 0, 0), 'L', false},
    {"Label6", Kind::Label, "client", 19, false, kGreen, kBlack, 'L', false},
    {"Label5", Kind::Label, "client", 19, true, QColor(255, 0, 255), kWhite, 'L', true},
    {"Command1", Kind::Button, "client", 16, false, kToolkit, kToolkit, 'C', false},
};

const QString kFace = QStringLiteral("ＭＳ Ｐゴシック");

bool IsToolkitColour(const QWidget* widget, QPalette::ColorRole role, const Colour& designed) {
  const QColor shown = widget->palette().color(QPalette::Active, role);
  return shown == designed.value_or(QApplication::palette(widget).color(QPalette::Active, role));
}

// Every property of one control against its expectation; false with the
// reason written out. Where it lies is the plays' (layout.play).
bool Matches(const QWidget* window, const Expected& e) {
  const auto fail = [&e](const char* what) {
    qWarning("%s: %s", e.name, what);
    return false;
  };
  const auto* widget = window->findChild<QWidget*>(QString::fromUtf8(e.name));
  if (!widget) return fail("missing");
  if (widget->parentWidget()->objectName() != QString::fromUtf8(e.parent)) return fail("parent");

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

bool Matches(const QWidget* window, const ExpectedLine& e) {
  const auto* line = window->findChild<DesignLine*>(QString::fromUtf8(e.name));
  return line && line->parentWidget()->objectName() == QString::fromUtf8(e.parent) &&
         line->line() == e.ends && line->colour() == e.colour;
}

// A window of fixed size, coloured as designed, its title the design's.
void ExpectWindow(DesignedWindow* window, const char* name, const QString& title, QColor back) {
  QCOMPARE(window->objectName(), QString::fromUtf8(name));
  QCOMPARE(window->windowTitle(), title);
  QCOMPARE(window->minimumSize(), window->maximumSize());
  QVERIFY(window->client()->autoFillBackground());
  QCOMPARE(window->client()->palette().color(QPalette::Window), back);
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
    for (const ExpectedLine& e : kGameLines) QVERIFY2(Matches(game, e), e.name);
    ExpectWindow(game, "Form1", QStringLiteral("Ranvik（Orsel)"), QColor(0, 128, 0));
    QWidget* client = game->client();
    // Right below the menu bar, and the window is nothing more.
    QCOMPARE(client->y(), game->menuBar()->geometry().bottom() + 1);
    QCOMPARE(game->size(), QSize(client->width(), game->menuBar()->height() + client->height()));
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

  void theResultsWindow() {
    QVERIFY(program_->PlayToGameEnd(30));
    DesignedWindow* results = program_->Window(kResultsWindow);
    for (const Expected& e : kResults) QVERIFY2(Matches(results, e), e.name);
    for (const ExpectedLine& e : kResultsLines) QVERIFY2(Matches(results, e), e.name);
    ExpectWindow(results, "Form3", QStringLiteral("Ranvik(Orsel)"), kLightGreen);
    QCOMPARE(results->findChild<QLineEdit*>(QStringLiteral("Text1"))->maxLength(), 32767);
    QVERIFY(!results->findChild<QWidget*>(QStringLiteral("jyun(5)")));
    QVERIFY(program_->Click(kResultsWindow, results_window::kBackButton));
  }

  void theHelpWindow() {
    QVERIFY(program_->Click(kGameWindow, game_window::kHelpButton));
    DesignedWindow* help = program_->Window(kHelpWindow);
    for (const Expected& e : kHelp) QVERIFY2(Matches(help, e), e.name);
    ExpectWindow(help, "Form2", QStringLiteral("Ranvik(Orsel)"), kBlue);
  }

  // In the stand-in face every instruction is narrowed until its wrapped
  // lines fit its box.
  void everyInstructionIsReadableInItsBox() {
    for (int control : {help_window::kIntroduction, help_window::kHowToPlay,
                        help_window::kPointsAndResults, help_window::kRanges}) {
      QLabel* label = program_->Label(kHelpWindow, control);
      const QFontMetrics metrics(label->font());
      const QRect needed = metrics.boundingRect(QRect(QPoint(), label->size()),
                                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                label->text());
      // The last line may lose the space below its glyphs, not the glyphs.
      QVERIFY2(needed.height() - (metrics.lineSpacing() - metrics.ascent()) <= label->height(),
               qPrintable(label->objectName()));
    }
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
