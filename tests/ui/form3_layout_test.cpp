// The results window against its own copy of the design, in pixels (twips
// divided by 15, font sizes as points * 4 / 3), written out by hand.
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "results/ui/form3_window.h"
#include "support/fake_file_system.h"
#include "support/fake_platform.h"

using namespace tavri;

namespace {

struct Expected {
  const char* name;
  int x, y, w, h;  // w = 0: auto-sized, only the corner is fixed
  int pixelSize;
  bool bold;
  QColor back, fore;  // invalid: not set by the design
  Qt::Alignment align;
};

const QColor kNone;
const QColor kGreenBack(128, 255, 128);

const Expected kSingles[] = {
    {"Label1(0)", 8, 8, 0, 0, 27, true, QColor(0, 128, 0), QColor(255, 0, 0), Qt::AlignLeft},
    {"Label4(0)", 40, 40, 0, 0, 19, false, kGreenBack, QColor(0, 0, 192), Qt::AlignLeft},
    {"enz0(0)", 104, 40, 113, 17, 18, false, kGreenBack, kNone, Qt::AlignHCenter},
    {"Label3(0)", 8, 256, 0, 0, 21, true, QColor(0, 255, 255), QColor(0, 0, 255), Qt::AlignLeft},
    {"Label2(0)", 16, 296, 65, 17, 12, false, kGreenBack, QColor(255, 0, 0), Qt::AlignLeft},
    {"jikan9(0)", 32, 320, 57, 25, 21, true, kGreenBack, kNone, Qt::AlignRight},
    {"Label6(0)", 8, 360, 257, 25, 16, false, kGreenBack, QColor(0, 64, 64), Qt::AlignLeft},
};

// Element 0 of each array; element i stands 30 pixels lower per step.
const Expected kRows[] = {
    {"jyun", 16, 80, 25, 25, 21, true, kGreenBack, kNone, Qt::AlignHCenter},
    {"namae", 64, 80, 129, 25, 18, false, kGreenBack, kNone, Qt::AlignLeft},
    {"jikan", 208, 80, 41, 25, 21, true, kGreenBack, kNone, Qt::AlignRight},
    {"jyun1", 160, 256, 25, 25, 21, true, kGreenBack, kNone, Qt::AlignHCenter},
    {"jikan1", 208, 256, 41, 25, 21, true, kGreenBack, kNone, Qt::AlignRight},
};

}  // namespace

class Form3LayoutTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Form3Window> Open(std::int16_t score) {
    module = Module1{};
    module.totalScore = score;
    files = test::FakeFileSystem{};
    return std::make_unique<Form3Window>(module, platform, files, "tavri.rnk");
  }

  void CheckLabel(Form3Window& w, const Expected& e, const QString& objectName, int dy) {
    auto* label = w.findChild<QLabel*>(objectName);
    QVERIFY2(label, qPrintable(objectName));
    QCOMPARE(label->pos(), QPoint(e.x, e.y + dy));
    if (e.w)
      QCOMPARE(label->size(), QSize(e.w, e.h));
    else
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(objectName));
    QCOMPARE(label->font().pixelSize(), e.pixelSize);
    QCOMPARE(label->font().bold(), e.bold);
    QCOMPARE(QFontInfo(label->font()).family(), QString("IPAPGothic"));
    if (e.back.isValid()) {
      QVERIFY(label->autoFillBackground());
      QCOMPARE(label->palette().color(QPalette::Window), e.back);
    }
    if (e.fore.isValid()) QCOMPARE(label->palette().color(QPalette::WindowText), e.fore);
    QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, e.align);
  }

  Module1 module;
  test::FakePlatform platform;
  test::FakeFileSystem files;

 private slots:
  void windowAsDesigned() {
    auto w = Open(30);
    QCOMPARE(w->windowTitle(), QString("Ranvik(Orsel)"));
    QCOMPARE(w->size(), QSize(272, 418));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QCOMPARE(w->palette().color(QPalette::Window), QColor(128, 255, 128));
  }

  void labelsAndRowsAsDesigned() {
    auto w = Open(30);
    for (const Expected& e : kSingles) CheckLabel(*w, e, e.name, 0);
    for (const Expected& e : kRows) {
      int count = QString(e.name).endsWith('1') ? 3 : 5;
      for (int i = 0; i < count; ++i)
        CheckLabel(*w, e, QStringLiteral("%1(%2)").arg(e.name).arg(i), 30 * i);
      QVERIFY(!w->findChild<QLabel*>(QStringLiteral("%1(%2)").arg(e.name).arg(count)));
    }
  }

  void buttonsBoxAndLines() {
    auto w = Open(30);
    QPushButton* reset = w->button("Command2");
    QCOMPARE(reset->geometry(), QRect(216, 8, 49, 25));
    QCOMPARE(reset->text(), QString("初期化"));
    QPushButton* back = w->button("Command1");
    QCOMPARE(back->geometry(), QRect(216, 384, 49, 25));
    QCOMPARE(back->font().pixelSize(), 14);
    QCOMPARE(back->text(), QString("戻る"));
    QLineEdit* box = w->text1();
    QCOMPARE(box->geometry(), QRect(88, 384, 121, 27));
    QCOMPARE(box->font().pixelSize(), 18);
    QCOMPARE(box->palette().color(QPalette::Base), QColor(128, 128, 255));
    QCOMPARE(box->maxLength(), 32767);  // no limit of its own beyond Qt's
    QCOMPARE(w->findChild<QWidget*>("Line2")->geometry(), QRect(8, 240, 256, 1));
    QCOMPARE(w->findChild<QWidget*>("Line1")->geometry(), QRect(8, 248, 256, 1));
    QCOMPARE(w->findChild<QWidget*>("Line3")->geometry(), QRect(8, 352, 256, 1));
    QCOMPARE(w->findChild<QWidget*>("Line3")->palette().color(QPalette::Window), QColor(Qt::black));
  }

  void captionsAfterLoad() {
    auto w = Open(30);
    QCOMPARE(w->label("Label1")->text(), QString("成績一覧"));
    QCOMPARE(w->label("Label4")->text(), QString("ｘの値"));
    QCOMPARE(w->label("Label3")->text(), QString("あなたの記録"));
    QCOMPARE(w->label("Label2")->text(), QString("今回の記録"));
    QCOMPARE(w->label("enz0")->text(), QString("－２～２"));
    QCOMPARE(w->label("jyun", 0)->text(), QString(" 1"));
    QCOMPARE(w->label("jyun", 4)->text(), QString(" 5"));
    QCOMPARE(w->label("jyun1", 0)->text(), QString("1"));
    QCOMPARE(w->label("jyun1", 2)->text(), QString(" 3"));
    QCOMPARE(w->label("namae", 0)->text(), QString("ここです！"));
    QCOMPARE(w->label("jikan", 0)->text(), QString("30"));
    QCOMPARE(w->label("jikan9")->text(), QString(" 30"));
  }

  void focusStartsOnTheNameBoxOrOnBack() {
    auto placed = Open(30);
    placed->show();
    QVERIFY(QTest::qWaitForWindowActive(placed.get()));
    QVERIFY(placed->text1()->isVisible());
    QVERIFY(placed->label("Label6")->isVisible());
    QCOMPARE(QApplication::focusWidget(), placed->text1());
    placed->core().Discard();
    placed->hide();

    auto viewing = Open(0);
    viewing->show();
    QVERIFY(QTest::qWaitForWindowActive(viewing.get()));
    QVERIFY(!viewing->text1()->isVisible());
    QVERIFY(!viewing->label("Label6")->isVisible());
    QCOMPARE(QApplication::focusWidget(), viewing->button("Command1"));
    viewing->core().Discard();
  }
};

QTEST_MAIN(Form3LayoutTest)
#include "form3_layout_test.moc"
