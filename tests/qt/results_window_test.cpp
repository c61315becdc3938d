// The results window as the game window opens it, on a results file in a
// folder of the test's own: names typed and stored, the list cleared, the
// close box, a game end while the list is open, the program ending while a
// name is typed, and where the file lives.
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/qt/results_path.h"
#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

using namespace results_window;

namespace {

// What a Japanese input method hands the name box when a word is committed.
void Commit(QLineEdit* box, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(box, &commit);
}

QStringList Column(const HostedProgram& p, int first, int count) {
  QStringList texts;
  for (int i = 0; i < count; ++i) texts << p.Text(kResultsWindow, first + i);
  return texts;
}

// Shown as typed: plain text on a single line, however it reads as markup.
bool ShowsPlainly(const QLabel* label, const QString& name) {
  return label && label->text() == name && label->textFormat() == Qt::PlainText &&
         label->sizeHint().height() <= QFontMetrics(label->font()).lineSpacing();
}

}  // namespace

class ResultsWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void aStoredNameSurvivesARestart() {
    ResultsFolder folder;
    {
      HostedProgram p(folder.files, folder.path());
      QVERIFY(p.Start());
      QVERIFY(p.PlayToGameEnd(30));
      QVERIFY(p.WaitActive(kResultsWindow));
      QCOMPARE(p.Text(kResultsWindow, kNames), QStringLiteral("ここです！"));
      QVERIFY(p.Label(kResultsWindow, kPrompt)->isVisible());
      QCOMPARE(QApplication::focusWidget(), p.Box(kResultsWindow, kNameBox));
      Commit(p.Box(kResultsWindow, kNameBox), QStringLiteral("たろう"));
      QCOMPARE(p.Text(kResultsWindow, kNames), QStringLiteral("たろう"));
      QTest::keyClick(p.Box(kResultsWindow, kNameBox), Qt::Key_Return);
      QCOMPARE(p.Window(kResultsWindow), nullptr);
      QCOMPARE(folder.Bytes().size(), std::size_t{900});
    }
    {
      // The program starts again: a fuller list.
      HostedProgram p(folder.files, folder.path());
      QVERIFY(p.Start());
      for (int score : {45, 20, 10, 5}) {
        QVERIFY(p.PlayToGameEnd(score));
        QVERIFY(p.Type(kResultsWindow, kNameBox, QStringLiteral("Player%1").arg(score)));
        QTest::keyClick(p.Box(kResultsWindow, kNameBox), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(p.Window(kResultsWindow), nullptr);
      }
    }
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    p.MenuItem(game_window::kListItem)->trigger();
    QVERIFY(p.Window(kResultsWindow) && p.frontEnd.TakesInput(kGameWindow));
    QCOMPARE(Column(p, kNames, kPlaces),
             QStringList({QStringLiteral("Player45"), QStringLiteral("たろう"),
                          QStringLiteral("Player20"), QStringLiteral("Player10"),
                          QStringLiteral("Player5")}));
    QCOMPARE(Column(p, kScores, kPlaces),
             QStringList({QStringLiteral("45"), QStringLiteral("30"), QStringLiteral("20"),
                          QStringLiteral("10"), QStringLiteral("5")}));
    QCOMPARE(p.Text(kResultsWindow, kRunScores), QStringLiteral("0"));
    QVERIFY(!p.Box(kResultsWindow, kNameBox)->isVisible());
    QVERIFY(p.Click(kResultsWindow, kBackButton));
    QCOMPARE(p.Window(kResultsWindow), nullptr);
  }

  // A name that reads as markup is still only a name: typed, listed, and
  // read back from the file.
  void namesAreDrawnAsTyped() {
    ResultsFolder folder;
    const QString names[] = {QStringLiteral("<b>Ken"), QStringLiteral("<h1>BIG")};
    {
      HostedProgram p(folder.files, folder.path());
      QVERIFY(p.Start());
      for (const QString& name : names) {
        QVERIFY(p.PlayToGameEnd(30));
        QVERIFY(p.Type(kResultsWindow, kNameBox, name));
        QVERIFY(ShowsPlainly(p.Label(kResultsWindow, kNames), name));
        QTest::keyClick(p.Box(kResultsWindow, kNameBox), Qt::Key_Return);
      }
    }
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.Click(kGameWindow, game_window::kTotalButton));
    QVERIFY(ShowsPlainly(p.Label(kResultsWindow, kNames), names[1]));
    QVERIFY(ShowsPlainly(p.Label(kResultsWindow, kNames + 1), names[0]));
    for (QLabel* label : p.Window(kResultsWindow)->findChildren<QLabel*>())
      QCOMPARE(label->textFormat(), Qt::PlainText);
  }

  void theListIsClearedOnlyOnOk() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(30));
    QVERIFY(p.Type(kResultsWindow, kNameBox, QStringLiteral("ABC")));
    QVERIFY(p.Click(kResultsWindow, kBackButton));
    const std::string stored = folder.Bytes();
    QCOMPARE(stored.substr(0, 12), Record("ABC", 30));

    p.boxes.answers = {MessageAnswer::Cancel};
    QVERIFY(p.PlayToGameEnd(40));
    QVERIFY(p.Click(kResultsWindow, kClearButton));
    QCOMPARE(p.boxes.Count(MessageKind::ConfirmClear), std::size_t{1});
    const Message& confirm = p.boxes.shown[p.boxes.shown.size() - 3].message;
    QCOMPARE(confirm.text, std::string("成績一覧の名前と時間を消去しますか？"));
    // The game end's restart message follows the closed window, then the
    // notice of the return to the game window.
    QCOMPARE(p.boxes.shown[p.boxes.shown.size() - 2].message.kind, MessageKind::Restart);
    QCOMPARE(p.boxes.shown.back().message.kind, MessageKind::StartNotice);
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QCOMPARE(folder.Bytes(), stored);

    p.boxes.answers = {MessageAnswer::Ok};
    QVERIFY(p.PlayToGameEnd(40));
    QVERIFY(p.Click(kResultsWindow, kClearButton));
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    const std::string cleared = folder.Bytes();
    QCOMPARE(cleared.size(), std::size_t{900});
    for (std::size_t record = 0; record < 20; ++record)
      QCOMPARE(cleared.substr(record * 12, 12), std::string("          \0\0", 12));
  }

  void theCloseBoxStoresWhatWasTyped() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(25));
    QVERIFY(p.Type(kResultsWindow, kNameBox, QStringLiteral("Ken")));
    // No cancel button: Escape does nothing.
    QTest::keyClick(p.Box(kResultsWindow, kNameBox), Qt::Key_Escape);
    QVERIFY(p.Window(kResultsWindow) && p.Window(kResultsWindow)->isVisible());
    p.Window(kResultsWindow)->close();
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QCOMPARE(folder.Bytes().substr(0, 12), Record("Ken", 25));
  }

  void aGameEndingWhileTheListIsOpenReplacesIt() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.Click(kGameWindow, game_window::kStartButton));
    for (int problem = 0; problem < 4; ++problem) QVERIFY(p.PlayProblem(problem == 0 ? 5 : 10));
    QVERIFY(p.Click(kGameWindow, game_window::kTotalButton));
    QPointer<DesignedWindow> viewing = p.Window(kResultsWindow);
    QVERIFY(viewing && p.frontEnd.TakesInput(kGameWindow));

    QVERIFY(p.PlayProblem(0));
    QVERIFY(p.Window(kResultsWindow) && p.Window(kResultsWindow) != viewing.data());
    QVERIFY(!p.frontEnd.TakesInput(kGameWindow));
    QVERIFY(!viewing || !viewing->isVisible());
    QCOMPARE(folder.Bytes().size(), std::size_t{0});  // the list stored nothing
    QVERIFY(p.Type(kResultsWindow, kNameBox, QStringLiteral("Aki")));
    QTest::keyClick(p.Box(kResultsWindow, kNameBox), Qt::Key_Return);
    QCOMPARE(folder.Bytes().substr(0, 12), Record("Aki", 35));
  }

  void captionsOfAPlacedScore() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(30));
    const auto text = [&p](int control) { return p.Text(kResultsWindow, control); };
    QCOMPARE(text(kHeading), QStringLiteral("成績一覧"));
    QCOMPARE(text(kRangeLabel), QStringLiteral("ｘの値"));
    QCOMPARE(text(kRunHeading), QStringLiteral("あなたの記録"));
    QCOMPARE(text(kThisGameHeading), QStringLiteral("今回の記録"));
    QCOMPARE(text(kRangeName), QStringLiteral("－２～２"));
    QCOMPARE(text(kPlaceNumbers), QStringLiteral(" 1"));
    QCOMPARE(text(kPlaceNumbers + 4), QStringLiteral(" 5"));
    QCOMPARE(text(kRunPlaceNumbers), QStringLiteral("1"));
    QCOMPARE(text(kRunPlaceNumbers + 2), QStringLiteral(" 3"));
    QCOMPARE(text(kNames), QStringLiteral("ここです！"));
    QCOMPARE(text(kScores), QStringLiteral("30"));
    QCOMPARE(text(kRunScores), QStringLiteral("30"));
    QCOMPARE(text(kThisGameScore), QStringLiteral(" 30"));
    QCOMPARE(text(kPrompt), QStringLiteral(" 1番です。名前を入力して下さい。"));
    QCOMPARE(text(kClearButton), QStringLiteral("初期化"));
    QCOMPARE(text(kBackButton), QStringLiteral("戻る"));
  }

  void theFocusStartsOnTheNameBoxOrOnBack() {
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk");
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(30));
    QVERIFY(p.WaitActive(kResultsWindow));
    QVERIFY(p.Box(kResultsWindow, kNameBox)->isVisible());
    QVERIFY(p.Label(kResultsWindow, kPrompt)->isVisible());
    QCOMPARE(QApplication::focusWidget(), p.Box(kResultsWindow, kNameBox));
    QVERIFY(p.Click(kResultsWindow, kBackButton));

    QVERIFY(p.WaitActive(kGameWindow));
    QVERIFY(p.Click(kGameWindow, game_window::kTotalButton));
    QVERIFY(p.WaitActive(kResultsWindow));
    QVERIFY(!p.Box(kResultsWindow, kNameBox)->isVisible());
    QVERIFY(!p.Label(kResultsWindow, kPrompt)->isVisible());
    QCOMPARE(QApplication::focusWidget(), p.Button(kResultsWindow, kBackButton));
  }

  void theResultsFileLivesBesideTheProgramElseInTheDataFolder() {
    QTemporaryDir folder;
    FakeFileSystem files;
    const QString program = folder.filePath(QStringLiteral("program"));
    const QString data = folder.filePath(QStringLiteral("data/tavri"));
    files.writableFolders.insert(QDir::toNativeSeparators(program).toStdString());
    QCOMPARE(ResultsFilePath(files, program, data),
             QDir::toNativeSeparators(program + QStringLiteral("/tavri.rnk")).toStdString());
    QVERIFY(!QDir(data).exists());

    files.writableFolders.clear();
    QCOMPARE(ResultsFilePath(files, program, data),
             QDir::toNativeSeparators(data + QStringLiteral("/tavri.rnk")).toStdString());
    QVERIFY(QDir(data).exists());
  }

  // Last: it ends the test program's event loop. The desktop's quit while a
  // name is typed ends the program as Exit does: nothing stored, nothing
  // asked, every window gone.
  void aQuitWhileANameIsTypedStoresNothing() {
    ResultsFolder folder;
    HostedProgram p(folder.files, folder.path());
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(30));
    QVERIFY(p.Type(kResultsWindow, kNameBox, QStringLiteral("Lost")));
    const std::size_t boxes = p.boxes.shown.size();
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    QApplication::exec();
    QVERIFY(p.frontEnd.ended());
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QCOMPARE(folder.Bytes().size(), std::size_t{0});
    QCOMPARE(p.boxes.shown.size(), boxes);
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::ResultsWindowTest)
#include "results_window_test.moc"
