// The help window against its design, kept here as a table of its own so a
// slip in the window's table is caught.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "help/ui/form2_window.h"
#include "shared/ui/design_units.h"

using tavri::Form2Window;

namespace {

struct Expected {
  const char* name;
  QRect pixels;
  int pixelSize;
  bool bold;
  QColor back, fore;
};

const Expected kExpected[] = {
    {"Label2", {24, 8, 370, 73}, 24, true, {0, 255, 255}, {255, 0, 0}},
    {"Label3", {24, 88, 369, 137}, 19, false, {0, 255, 0}, {0, 0, 0}},
    {"Label4", {24, 232, 369, 121}, 19, false, {0, 255, 0}, {0, 0, 0}},
    {"Label6", {24, 360, 369, 41}, 19, false, {0, 255, 0}, {0, 0, 0}},
};

QString Utf8Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class Form2WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowIsBlueFixedAndTitled() {
    Form2Window window({});
    QCOMPARE(window.windowTitle(), Utf8Text("Ranvik(Orsel)"));
    QCOMPARE(window.size(), QSize(406, 443));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.palette().color(QPalette::Window), QColor(0, 0, 255));
  }

  void labelsStandWhereDesigned() {
    Form2Window window({});
    for (const Expected& e : kExpected) {
      auto* label = window.findChild<QLabel*>(QString::fromLatin1(e.name));
      QVERIFY2(label, e.name);
      QCOMPARE(label->geometry(), e.pixels);
      QCOMPARE(label->font().pixelSize(), e.pixelSize);
      QCOMPARE(label->font().bold(), e.bold);
      QCOMPARE(label->palette().color(QPalette::Window), e.back);
      QCOMPARE(label->palette().color(QPalette::WindowText), e.fore);
      QVERIFY(label->autoFillBackground());
      QVERIFY(label->wordWrap());
    }
  }

  void textsAreTheProgramsOwn() {
    Form2Window window({});
    auto text = [&](const char* name) {
      return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
    };
    // Texts 1 to 3 begin with an ideographic space and a blank; text 4 with
    // two blanks; the commas are full-width.
    QVERIFY(text("Label2").startsWith(Utf8Text("\u3000 中学校１・２年の「関数関係」を  対応表から")));
    QVERIFY(text("Label3").contains(Utf8Text("クリックします。   正解かどうかは，")));
    QVERIFY(text("Label3").endsWith(Utf8Text("５問解いたら終わりです。")));
    QVERIFY(text("Label4").startsWith(Utf8Text("\u3000 問題が表示されたら，１０→９→８・・・と")));
    QCOMPARE(text("Label6"),
             Utf8Text("  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。"));
  }

  void everyInstructionIsReadableInItsBox() {
    Form2Window window({});
    for (const Expected& e : kExpected) {
      auto* label = window.findChild<QLabel*>(QString::fromLatin1(e.name));
      const QFontMetrics metrics(label->font());
      const QRect needed = metrics.boundingRect(QRect(QPoint(), label->size()),
                                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                label->text());
      QVERIFY2(needed.height() - (metrics.lineSpacing() - metrics.ascent()) <= label->height(),
               e.name);
      QCOMPARE(label->font().pixelSize(), e.pixelSize);  // narrowed, never smaller
    }
  }

  void creditLineIsAutoSizedFromItsLeftEdge() {
    Form2Window window({});
    auto* credit = window.findChild<QLabel*>(QStringLiteral("Label5"));
    QVERIFY(credit);
    QCOMPARE(credit->pos(), QPoint(72, 408));
    QVERIFY(!credit->text().isEmpty());
    QCOMPARE(credit->size(), credit->sizeHint());
    QCOMPARE(credit->palette().color(QPalette::Window), QColor(255, 0, 255));
    QCOMPARE(credit->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    QVERIFY(credit->font().bold());
  }

  void backButtonBringsTheGameForwardThenHides() {
    QStringList calls;
    Form2Window* window = nullptr;
    Form2Window help([&] { calls << (window->isVisible() ? "game while shown" : "game while hidden"); });
    window = &help;
    help.show();
    auto* back = help.findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(back);
    QCOMPARE(back->text(), Utf8Text("戻る"));
    QCOMPARE(back->geometry(), QRect(320, 408, 65, 33));
    QCOMPARE(back->font().pixelSize(), 16);
    QVERIFY(!back->autoDefault() && !back->isDefault());
    back->click();
    QCOMPARE(calls, QStringList{"game while shown"});
    QVERIFY(help.isHidden());
  }

  void onlyTheButtonTakesFocus() {
    Form2Window window({});
    const auto children = window.findChildren<QWidget*>();
    for (QWidget* child : children) {
      if (child->objectName() == QStringLiteral("Command1"))
        QVERIFY(child->focusPolicy() != Qt::NoFocus);
      else
        QCOMPARE(child->focusPolicy(), Qt::NoFocus);
    }
  }
};

QTEST_MAIN(Form2WindowTest)
#include "form2_window_test.moc"
