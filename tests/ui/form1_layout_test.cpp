// The game window against the design: every control, the window, the menu
// tree, the stacking, the tab order and the first focus. The expectations
// are this test's own table in pixels, kept apart from the table the window
// is built from, so a slip in either shows up here.
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>
#include <set>

#include "game/ui/design_line.h"
#include "support/game_window_fixture.h"

namespace tavri::test {
namespace {

enum class Kind { Label, Button, TextBox, Frame, Line };
using Colour = std::optional<QColor>;
const Colour kNone = std::nullopt;

struct Expected {
  const char* name;
  Kind kind;
  const char* parent;
  int rect[4];  // x, y, width, height in pixels; a line: x1, y1, x2, y2
  const char* caption;  // the design caption
  int fontPixels;       // 0: the window's font
  bool bold;
  Colour back;
  Colour fore;
  bool centred;
  bool autoSize;
};

// Twips ÷ 15; points × 4/3.
const Expected kDesign[] = {
    {"monbang", Kind::Label, "client", {88, 8, 55, 19}, "番  号", 19, true, QColor(255, 0, 0), QColor(0, 0, 255), false, true},
    {"bango(0)", Kind::Label, "client", {8, 8, 17, 25}, "1", 27, true, QColor(0, 0, 128), QColor(255, 255, 255), false, false},
    {"bango(1)", Kind::Label, "client", {8, 32, 17, 25}, "2", 27, true, QColor(0, 0, 128), QColor(255, 255, 255), false, false},
    {"bango(2)", Kind::Label, "client", {8, 56, 17, 25}, "3", 27, true, QColor(0, 0, 128), QColor(255, 255, 255), false, false},
    {"bango(3)", Kind::Label, "client", {8, 80, 17, 25}, "4", 27, true, QColor(0, 0, 128), QColor(255, 255, 255), false, false},
    {"bango(4)", Kind::Label, "client", {8, 104, 17, 25}, "5", 27, true, QColor(0, 0, 128), QColor(255, 255, 255), false, false},
    {"sikiyo(0)", Kind::Label, "client", {32, 8, 49, 25}, "", 21, true, QColor(255, 255, 0), kNone, false, false},
    {"sikiyo(1)", Kind::Label, "client", {32, 32, 49, 25}, "", 21, true, QColor(255, 255, 0), kNone, false, false},
    {"sikiyo(2)", Kind::Label, "client", {32, 56, 49, 25}, "", 21, true, QColor(255, 255, 0), kNone, false, false},
    {"sikiyo(3)", Kind::Label, "client", {32, 80, 49, 25}, "", 21, true, QColor(255, 255, 0), kNone, false, false},
    {"sikiyo(4)", Kind::Label, "client", {32, 104, 49, 25}, "", 21, true, QColor(255, 255, 0), kNone, false, false},
    {"Label1", Kind::Label, "client", {152, 8, 57, 65}, "ｘ", 64, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"Label2", Kind::Label, "client", {152, 72, 57, 65}, "ｙ", 64, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"Label3", Kind::Label, "client", {208, 8, 361, 17}, "", 0, false, QColor(0, 0, 255), kNone, false, false},
    {"Label4", Kind::Label, "client", {208, 72, 361, 17}, "", 0, false, QColor(0, 0, 255), kNone, false, false},
    {"mondai(0)", Kind::Label, "client", {208, 24, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(1)", Kind::Label, "client", {280, 24, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(2)", Kind::Label, "client", {352, 24, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(3)", Kind::Label, "client", {424, 24, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(4)", Kind::Label, "client", {496, 24, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(5)", Kind::Label, "client", {208, 88, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(6)", Kind::Label, "client", {280, 88, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(7)", Kind::Label, "client", {352, 88, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(8)", Kind::Label, "client", {424, 88, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"mondai(9)", Kind::Label, "client", {496, 88, 73, 49}, "", 37, true, QColor(0, 0, 255), QColor(255, 255, 255), true, false},
    {"Line1", Kind::Line, "client", {152, 80, 568, 80}, "", 0, false, kNone, QColor(255, 255, 255), false, false},
    {"Line2", Kind::Line, "client", {208, 8, 208, 136}, "", 0, false, kNone, QColor(255, 255, 255), false, false},
    {"tokuten", Kind::Label, "client", {8, 144, 177, 161}, "点", 160, true, QColor(0, 64, 0), QColor(0, 255, 0), false, false},
    {"tokutenyo", Kind::Button, "client", {8, 312, 177, 81}, "得点", 64, false, kNone, kNone, false, false},
    {"Frame1(0)", Kind::Frame, "client", {192, 144, 377, 185}, "ｘとｙの関係は？", 27, true, QColor(255, 128, 0), QColor(0, 0, 192), false, false},
    {"kotae(0)", Kind::Button, "Frame1(0)", {24, 32, 161, 33}, "ｙはｘに比例", 0, false, kNone, kNone, false, false},
    {"kotae(1)", Kind::Button, "Frame1(0)", {200, 32, 161, 33}, "ｙはｘに反比例", 0, false, kNone, kNone, false, false},
    {"kotae(2)", Kind::Button, "Frame1(0)", {24, 72, 161, 33}, "ｙはｘの一次関数", 0, false, kNone, kNone, false, false},
    {"kotae(3)", Kind::Button, "Frame1(0)", {200, 72, 161, 33}, "ｙはｘの２乗に比例", 0, false, kNone, kNone, false, false},
    {"LaY", Kind::Label, "Frame1(0)", {72, 136, 49, 33}, "y =", 32, true, QColor(255, 128, 0), QColor(255, 255, 0), false, false},
    {"TextA1", Kind::TextBox, "Frame1(0)", {128, 136, 41, 33}, "", 24, false, kNone, kNone, false, false},
    {"LaX1", Kind::Label, "Frame1(0)", {176, 128, 15, 33}, "x", 32, false, QColor(255, 128, 0), QColor(255, 255, 0), false, true},
    {"La2", Kind::Label, "Frame1(0)", {192, 128, 9, 17}, "2", 16, true, QColor(255, 128, 0), QColor(255, 255, 0), false, false},
    {"TextB", Kind::TextBox, "Frame1(0)", {200, 136, 41, 33}, "", 24, false, kNone, kNone, false, false},
    {"TextA2", Kind::TextBox, "Frame1(0)", {120, 112, 57, 33}, "", 24, false, kNone, kNone, false, false},
    {"Line3", Kind::Line, "Frame1(0)", {120, 152, 176, 152}, "", 0, false, kNone, QColor(255, 255, 0), false, false},
    {"LaX2", Kind::Label, "Frame1(0)", {136, 144, 17, 33}, "x", 32, true, QColor(255, 128, 0), QColor(255, 255, 0), false, true},
    {"enter", Kind::Label, "Frame1(0)", {256, 128, 113, 49}, "  数を入れたらＥｎｔｅｒキーを押してください。", 16, true, QColor(0, 0, 255), QColor(255, 255, 255), false, false},
    {"Command1", Kind::Button, "client", {192, 336, 129, 57}, "スタート", 29, true, kNone, kNone, false, false},
    {"Command3", Kind::Button, "client", {328, 360, 145, 33}, "ｘの値の表示・変更", 16, false, kNone, kNone, false, false},
    {"Command5", Kind::Button, "client", {480, 352, 89, 41}, "終了", 24, true, kNone, kNone, false, false},
    {"helpyo", Kind::Button, "client", {88, 104, 57, 33}, "説明", 0, false, kNone, kNone, false, false},
};

constexpr int kWindowFontPixels = 18;
const char* const kFace = "ＭＳ Ｐゴシック";

// What the load handler changes: the formula entry and the square button
// hidden, the relationship buttons disabled, the x-range button's caption.
const std::set<QString> kHiddenAfterLoad{"TextA1", "TextA2", "TextB", "LaY",   "LaX1",
                                         "LaX2",   "Line3",  "La2",   "enter", "kotae(3)"};
const std::set<QString> kDisabledAfterLoad{"kotae(0)", "kotae(1)", "kotae(2)", "kotae(3)"};
QString CaptionAfterLoad(const Expected& e) {
  if (QString(e.name) == "Command3") return QStringLiteral("ｘの値：－２～２");
  return QString::fromUtf8(e.caption);
}

}  // namespace

class Form1LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(QFontDatabase::hasFamily(QStringLiteral("IPAPGothic")) ||
            QFontDatabase::hasFamily(QString::fromUtf8(kFace)));
    game_ = std::make_unique<GameWindowFixture>();
    game_->window.Load();
    game_->window.ShowCentred();
    QVERIFY(QTest::qWaitForWindowActive(&game_->window));
  }
  void cleanupTestCase() { game_.reset(); }

  void controls_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kDesign)); ++i) QTest::newRow(kDesign[i].name) << i;
  }

  void controls() {
    QFETCH(int, row);
    const Expected& e = kDesign[row];
    QWidget* widget = game_->Find<QWidget>(QString::fromUtf8(e.name));
    QVERIFY2(widget, e.name);
    QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(e.parent));
    const QString name = QString::fromUtf8(e.name);
    QCOMPARE(widget->isVisible(), !kHiddenAfterLoad.count(name));
    QCOMPARE(widget->isEnabled(), !kDisabledAfterLoad.count(name));

    if (e.kind == Kind::Line) {
      auto* line = qobject_cast<ui::DesignLine*>(widget);
      QVERIFY(line);
      QCOMPARE(line->line(), QLine(e.rect[0], e.rect[1], e.rect[2], e.rect[3]));
      QCOMPARE(line->penWidth(), 5);
      QCOMPARE(line->colour(), *e.fore);
      return;
    }

    const QRect designed(e.rect[0], e.rect[1], e.rect[2], e.rect[3]);
    if (e.autoSize) {
      // Keeps Left and Top and fits its caption.
      QCOMPARE(widget->pos(), designed.topLeft());
      QCOMPARE(widget->size(), widget->sizeHint());
    } else {
      QCOMPARE(widget->geometry(), designed);
    }

    const QFont font = widget->font();
    QCOMPARE(font.pixelSize(), e.fontPixels ? e.fontPixels : kWindowFontPixels);
    QCOMPARE(font.weight(), e.bold ? QFont::Bold : QFont::Normal);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    // The designed face where it is installed, else its stand-in, first.
    QVERIFY(font.families().contains(QString::fromUtf8(kFace)));
    const QString resolved = QFontInfo(font).family();
    QVERIFY2(resolved == QString::fromUtf8(kFace) || resolved == "IPAPGothic", qPrintable(resolved));

    const QPalette toolkit = QApplication::palette(widget);
    const QPalette palette = widget->palette();
    const auto active = QPalette::Active;
    QCOMPARE(palette.color(active, QPalette::Window),
             e.back.value_or(toolkit.color(active, QPalette::Window)));
    QCOMPARE(palette.color(active, QPalette::WindowText),
             e.fore.value_or(toolkit.color(active, QPalette::WindowText)));
    if (e.back) QVERIFY(widget->autoFillBackground());

    switch (e.kind) {
      case Kind::Label: {
        auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label);
        QCOMPARE(label->text(), CaptionAfterLoad(e));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->frameShape(), QFrame::NoFrame);
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                 e.centred ? Qt::AlignHCenter : Qt::AlignLeft);
        QCOMPARE(label->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
        QCOMPARE(label->wordWrap(), !e.autoSize);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        break;
      }
      case Kind::Button: {
        auto* button = qobject_cast<QPushButton*>(widget);
        QVERIFY(button);
        QCOMPARE(button->text(), CaptionAfterLoad(e));
        // No button is the window's default button; as on Windows, Enter
        // presses the one that has the focus.
        QVERIFY(button->autoDefault());
        QCOMPARE(button->isDefault(), button->hasFocus());
        // The toolkit's button colours, not the window's green or the
        // frame's orange.
        QCOMPARE(palette.color(active, QPalette::Button), toolkit.color(active, QPalette::Button));
        break;
      }
      case Kind::TextBox: {
        auto* box = qobject_cast<QLineEdit*>(widget);
        QVERIFY(box);
        QCOMPARE(box->text(), QString());
        QCOMPARE(palette.color(active, QPalette::Base), toolkit.color(active, QPalette::Base));
        break;
      }
      case Kind::Frame: {
        auto* frame = qobject_cast<QGroupBox*>(widget);
        QVERIFY(frame);
        QCOMPARE(frame->title(), CaptionAfterLoad(e));
        QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
        break;
      }
      case Kind::Line: break;
    }
  }

  void everyControlIsInTheTable() {
    // Nothing on the window beyond the design (the menu bar aside).
    QWidget* client = game_->window.centralWidget();
    std::set<QString> designed;
    for (const Expected& e : kDesign) designed.insert(QString::fromUtf8(e.name));
    for (QWidget* child : client->findChildren<QWidget*>()) {
      if (qobject_cast<QLineEdit*>(child->parentWidget())) continue;  // a box's own parts
      QVERIFY2(designed.count(child->objectName()), qPrintable(child->objectName()));
    }
  }

  void autoSizedLabelFollowsItsCaption() {
    Form1& form = game_->form;
    auto* monbang = game_->Find<QLabel>("monbang");
    const std::string design = form.monbang.Caption;
    const int designWidth = monbang->width();
    form.monbang.Caption.append(design);
    game_->window.Render();
    QCOMPARE(monbang->pos(), QPoint(88, 8));
    QVERIFY(monbang->width() > designWidth);
    QCOMPARE(monbang->size(), monbang->sizeHint());
    form.monbang.Caption.assign(design, 0, 3);  // its first character
    game_->window.Render();
    QCOMPARE(monbang->pos(), QPoint(88, 8));
    QVERIFY(monbang->width() < designWidth);
    form.monbang.Caption = design;
    game_->window.Render();
    QCOMPARE(monbang->width(), designWidth);
  }

  void windowItself() {
    Form1Window& window = game_->window;
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Ranvik（Orsel)"));
    QWidget* client = window.centralWidget();
    QCOMPARE(client->size(), QSize(580, 401));
    // Right below the menu bar, and the window is nothing more.
    QCOMPARE(client->y(), window.menuBar()->geometry().bottom() + 1);
    QCOMPARE(window.size(), QSize(580, window.menuBar()->height() + 401));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(client->autoFillBackground());
    QCOMPARE(client->palette().color(QPalette::Window), QColor(0, 128, 0));
    QCOMPARE(client->font().pixelSize(), kWindowFontPixels);
    QCOMPARE(client->font().weight(), QFont::Normal);
  }

  void stacking() {
    // Later among its siblings is further in front.
    auto depth = [this](const char* name) {
      QWidget* widget = game_->Find<QWidget>(QString::fromUtf8(name));
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
    for (const char* front : {"Command1", "tokutenyo", "helpyo"})
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
    const QList<QAction*> tops = game_->window.menuBar()->actions();
    QCOMPARE(tops.size(), int(tree.size()));
    for (std::size_t t = 0; t < tree.size(); ++t) {
      QAction* top = tops[t];
      QCOMPARE(top->objectName(), QString::fromUtf8(tree[t].name));
      QCOMPARE(top->text(), QString::fromUtf8(tree[t].caption));
      QVERIFY(top->shortcut().isEmpty());
      QVERIFY(top->menu());
      const QList<QAction*> items = top->menu()->actions();
      QCOMPARE(items.size(), int(tree[t].items.size()));
      for (qsizetype i = 0; i < items.size(); ++i) {
        const Item& want = tree[t].items[std::size_t(i)];
        QAction* item = items[i];
        QCOMPARE(item->objectName(), QString::fromUtf8(want.name));
        QCOMPARE(item->isSeparator(), want.caption == nullptr);
        if (want.caption) QCOMPARE(item->text(), QString::fromUtf8(want.caption));
        QCOMPARE(item->isCheckable(), want.checkable);
        // After load only the first range carries the check mark.
        QCOMPARE(item->isChecked(), QString(want.name) == "en(0)");
        QVERIFY(item->shortcut().isEmpty());
        QVERIFY(!item->text().contains('&'));
        QVERIFY(item->isEnabled() && item->isVisible());
      }
    }
  }

  void tabOrderAndFirstFocus() {
    const QStringList expected{"Command1", "Command3", "Command5", "tokutenyo",
                               "helpyo",   "kotae(0)", "kotae(1)", "kotae(2)",
                               "kotae(3)", "TextA1",   "TextB",    "TextA2"};
    QWidget* client = game_->window.centralWidget();
    QWidget* start = game_->Find<QWidget>("Command1");
    QStringList order;
    QWidget* widget = start;
    do {
      if ((widget->focusPolicy() & Qt::TabFocus) && client->isAncestorOf(widget))
        order << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != start && order.size() <= expected.size());
    QCOMPARE(order, expected);
    QCOMPARE(QApplication::focusWidget(), start);
  }

 private:
  std::unique_ptr<GameWindowFixture> game_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::Form1LayoutTest)
#include "form1_layout_test.moc"
