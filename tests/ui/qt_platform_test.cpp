// The real message box as MsgBox builds it, before it is shown.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/qt_platform.h"

namespace tavri::test {

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void noticeHasExclamationAndOneOkButton() {
    auto box = BuildMessageBox(Notice("title", "first\rsecond"), nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("title"));
    QCOMPARE(box->text(), QStringLiteral("first\nsecond"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::Ok));
  }

  void confirmationHasQuestionOkCancelAndCancelAsDefault() {
    MessageBoxSpec message{"t", "<b>not markup</b>", MessageIcon::Question,
                        MessageButtons::OkCancel, 1};
    auto box = BuildMessageBox(message, nullptr);
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(box->text(), QStringLiteral("<b>not markup</b>"));
    QCOMPARE(box->buttons().size(), 2);
    QVERIFY(box->button(QMessageBox::Ok) && box->button(QMessageBox::Cancel));
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
    // Escape or the close box must never confirm.
    QCOMPARE(box->escapeButton(), box->button(QMessageBox::Cancel));
    for (QAbstractButton* button : box->buttons()) QVERIFY(!button->text().contains('&'));

    message.defaultButton = 0;
    auto okFirst = BuildMessageBox(message, nullptr);
    QCOMPARE(okFirst->defaultButton(), okFirst->button(QMessageBox::Ok));
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::QtPlatformTest)
#include "qt_platform_test.moc"
