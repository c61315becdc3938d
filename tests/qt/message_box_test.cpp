// The real message box: built as the program asks for it, shown without an
// event loop of its own, and answered.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/qt/message_boxes.h"
#include "support/hosted_program.h"

namespace tavri::test {

namespace {

const Message kConfirm{MessageKind::ConfirmClear, "t", "<b>not markup</b>", MessageIcon::Question,
                       MessageButtons::OkCancel, 1};

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

  // Shown, the box leaves the front end at once; its answer comes back with
  // the click, key or close box that ends it: Escape and the close box are
  // OK on a notice and キャンセル on a question.
  void theAnswerComesBackWhenTheBoxCloses() {
    ProgramOnFakeDisk run;
    HostedProgram& p = run.program;
    p.boxes.leftOpen = true;
    p.host.Start();
    const auto answer = [&p](const std::function<void(QMessageBox*)>& close) {
      QMessageBox* box = p.frontEnd.Box();
      if (!box || !box->isVisible() || box->parentWidget() != p.Window(p.host.boxOwner().value()))
        return false;
      close(box);
      // Answered: gone, and the host waits for it no more (it may have
      // shown the next box already).
      return !box->isVisible() && (!p.host.boxOwner() || p.frontEnd.Box() != box);
    };
    using Close = std::function<void(QMessageBox*)>;
    const Close escape = [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); };
    const Close enter = [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); };
    const Close closeBox = [](QMessageBox* box) { box->close(); };
    const Close ok = [](QMessageBox* box) {
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    };
    const auto cleared = [&](const std::function<void(QMessageBox*)>& close) {
      return p.Click(kGameWindow, game_window::kTotalButton) &&
             p.Click(kResultsWindow, results_window::kClearButton) && answer(close) &&
             !p.Window(kResultsWindow);
    };
    QVERIFY(answer(escape));  // the start notice
    for (const auto& close : {escape, closeBox, enter}) {
      QVERIFY(cleared(close));
      QVERIFY(run.files.Bytes("tavri.rnk").empty());
      QVERIFY(answer(close));  // the notice on the return to the game window
    }
    QVERIFY(cleared(ok));
    QVERIFY(!run.files.Bytes("tavri.rnk").empty());
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::MessageBoxTest)
#include "message_box_test.moc"
