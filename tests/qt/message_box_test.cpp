// The real message box: built as the program asks for it, and answered.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shared/qt/message_boxes.h"

namespace tavri::test {

namespace {

const Message kConfirm{MessageKind::ConfirmClear, "t", "<b>not markup</b>", MessageIcon::Question,
                       MessageButtons::OkCancel, 1};

// Presses a button of the box once its event loop runs.
void PressWhenShown(QMessageBox::StandardButton which) {
  QTimer::singleShot(0, qApp, [which] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box) box->button(which)->click();
  });
}

}  // namespace

class MessageBoxTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aNoticeHasAnExclamationAndOneOkButton() {
    auto box = BuildMessageBox(Notice(MessageKind::StartNotice, "title", "first\rsecond"), nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("title"));
    QCOMPARE(box->text(), QStringLiteral("first\nsecond"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::Ok));
  }

  void aQuestionHasOkAndCancelWithTheDefaultItNames() {
    auto box = BuildMessageBox(kConfirm, nullptr);
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(box->text(), QStringLiteral("<b>not markup</b>"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->buttons().size(), 2);
    QCOMPARE(box->button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
    // Escape or the close box must never confirm.
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
    for (QAbstractButton* button : box->buttons()) QVERIFY(!button->text().contains(QLatin1Char('&')));

    Message okFirst = kConfirm;
    okFirst.defaultButton = 0;
    auto other = BuildMessageBox(okFirst, nullptr);
    QCOMPARE(other->defaultButton(), other->button(QMessageBox::Ok));
  }

  void theBoxIsShownOverItsOwner() {
    QWidget owner;
    auto box = BuildMessageBox(kConfirm, &owner);
    QCOMPARE(box->parentWidget(), &owner);
  }

  void theAnswerIsTheButtonPressed() {
    QtMessageBoxes boxes;
    PressWhenShown(QMessageBox::Ok);
    QCOMPARE(boxes.Ask(kConfirm, nullptr), MessageAnswer::Ok);
    PressWhenShown(QMessageBox::Cancel);
    QCOMPARE(boxes.Ask(kConfirm, nullptr), MessageAnswer::Cancel);
    PressWhenShown(QMessageBox::Ok);
    QCOMPARE(boxes.Ask(Notice(MessageKind::RangeChanged, "t", "x"), nullptr), MessageAnswer::Ok);
    // Escape answers the question with Cancel.
    QTimer::singleShot(0, qApp, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(boxes.Ask(kConfirm, nullptr), MessageAnswer::Cancel);
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::MessageBoxTest)
#include "message_box_test.moc"
