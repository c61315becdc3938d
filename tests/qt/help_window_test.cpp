// The help window: its fixed page, readable in the stand-in face, and its
// life: built on its first opening, hidden by 戻る and shown again, built
// afresh after its close box.
#include <QTest>

#include <memory>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

using namespace help_window;

class HelpWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    run_ = std::make_unique<ProgramOnFakeDisk>();
    QVERIFY(run_->program.Start());
    QVERIFY(run_->program.Click(kGameWindow, game_window::kHelpButton));
    QVERIFY(run_->program.WaitActive(kHelpWindow));
  }
  void cleanup() {
    run_.reset();
  }

  void theTextsAreTheProgramsOwn() {
    const auto text = [this](int control) { return run_->program.Text(kHelpWindow, control); };
    // Texts 1 to 3 begin with an ideographic space and a blank, text 4 with
    // two blanks; the commas are full-width.
    QVERIFY(text(kIntroduction).startsWith(QStringLiteral("\u3000 中学校１・２年の「関数関係」を  対応表から")));
    QVERIFY(text(kHowToPlay).contains(QStringLiteral("クリックします。   正解かどうかは，")));
    QVERIFY(text(kHowToPlay).endsWith(QStringLiteral("５問解いたら終わりです。")));
    QVERIFY(text(kPointsAndResults).startsWith(QStringLiteral("\u3000 問題が表示されたら，１０→９→８・・・と")));
    QCOMPARE(text(kRanges),
             QStringLiteral("  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。"));
    QCOMPARE(text(kCredit), QStringLiteral("tavri 1.00  関数の学習ゲーム"));
    QCOMPARE(text(kBackButton), QStringLiteral("戻る"));
  }

  void everyInstructionIsReadableInItsBox() {
    for (int control : {kIntroduction, kHowToPlay, kPointsAndResults, kRanges}) {
      QLabel* label = run_->program.Label(kHelpWindow, control);
      const QFontMetrics metrics(label->font());
      const QRect needed = metrics.boundingRect(QRect(QPoint(), label->size()),
                                                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                                label->text());
      // The last line may lose the space below its glyphs, not the glyphs.
      QVERIFY2(needed.height() - (metrics.lineSpacing() - metrics.ascent()) <= label->height(),
               qPrintable(label->objectName()));
    }
    // Narrowed, never made smaller.
    QCOMPARE(run_->program.Label(kHelpWindow, kIntroduction)->font().pixelSize(), 24);
    QCOMPARE(run_->program.Label(kHelpWindow, kHowToPlay)->font().pixelSize(), 19);
  }

  void onlyTheButtonTakesTheFocus() {
    DesignedWindow* help = run_->program.Window(kHelpWindow);
    for (QWidget* child : help->client()->findChildren<QWidget*>())
      QCOMPARE(child->focusPolicy() != Qt::NoFocus, child == run_->program.Button(kHelpWindow, kBackButton));
    QCOMPARE(QApplication::focusWidget(), run_->program.Button(kHelpWindow, kBackButton));
  }

  void backBringsTheGameWindowForwardAndKeepsTheHelpWindow() {
    HostedProgram& p = run_->program;
    QPointer<DesignedWindow> help = p.Window(kHelpWindow);
    // A second opening only brings the one window forward.
    p.MenuItem(game_window::kHelpItem)->trigger();
    QCOMPARE(p.Window(kHelpWindow), help.data());

    QVERIFY(p.Click(kHelpWindow, kBackButton));
    QVERIFY(help && !help->isVisible());
    QVERIFY(p.WaitActive(kGameWindow));
    // The game window's return from the help window.
    QCOMPARE(p.boxes.Count(MessageKind::StartNotice), std::size_t{2});

    QVERIFY(p.Click(kGameWindow, game_window::kHelpButton));
    QCOMPARE(p.Window(kHelpWindow), help.data());
    QVERIFY(help->isVisible());
  }

  void theCloseBoxDestroysItAndTheNextOpeningBuildsItAfresh() {
    HostedProgram& p = run_->program;
    QPointer<DesignedWindow> first = p.Window(kHelpWindow);
    first->close();
    QCOMPARE(p.Window(kHelpWindow), nullptr);
    QVERIFY(!first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(p.Click(kGameWindow, game_window::kHelpButton));
    QVERIFY(p.Window(kHelpWindow) && p.Window(kHelpWindow)->isVisible());
  }

 private:
  std::unique_ptr<ProgramOnFakeDisk> run_;
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::HelpWindowTest)
#include "help_window_test.moc"
