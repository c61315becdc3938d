// The results window: where a finished game's score takes its place, the
// name typed for it, and the ways out (戻る, Enter, the close box, 初期化).
#include "results/core/results_board.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/memory_results.h"
#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace results_window;
using Texts = std::vector<std::string>;

const std::string kMarker = "ここです！";
const std::string kPromptTail = "番です。名前を入力して下さい。";
const std::vector<std::pair<std::string, std::int16_t>> kFullList{
    {"A", 50}, {"B", 40}, {"C", 30}, {"D", 20}, {"E", 10}};

std::string RecordOf(const std::string& file, int number) {
  return file.substr(static_cast<std::size_t>(number - 1) * 12, 12);
}

class ResultsBoardTest : public testing::Test {
 protected:
  // The window as the program opens it: at a game end with the score, or
  // from the menu with 0.
  ResultsBoard& Open(std::int16_t score) {
    board = std::make_unique<ResultsBoard>(session, results.store(), score);
    return *board;
  }
  Texts Row(int first, int count) {
    const WindowState state = board->State();
    Texts texts;
    for (int i = first; i < first + count; ++i)
      texts.push_back(state.controls[static_cast<std::size_t>(i)].text);
    return texts;
  }
  std::string Text(int control) { return Row(control, 1)[0]; }
  bool Shown(int control) {
    return board->State().controls[static_cast<std::size_t>(control)].visible;
  }
  bool NameEntryShown() { return Shown(kPrompt) || Shown(kNameBox); }
  // The window asks the program for nothing, so everything it leaves is a
  // command.
  std::vector<Command> Commands() {
    std::vector<Command> commands;
    for (WindowOutput& output : board->TakeOutput())
      commands.push_back(std::get<Command>(std::move(output)));
    return commands;
  }
  std::string Stored() { return results.Bytes().value_or("(no file)"); }

  SessionState session;
  MemoryResults results;
  std::unique_ptr<ResultsBoard> board;
};

const std::vector<Command> kClosed{CloseWindow{WindowId::Results}};

TEST_F(ResultsBoardTest, FirstGameOnAnEmptyFileTakesPlaceOne) {
  Open(30);
  EXPECT_EQ(Stored(), "");  // created empty at the opening
  EXPECT_EQ(Row(kPlaceNumbers, 5), (Texts{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(Row(kNames, 5), (Texts{kMarker, "", "", "", ""}));
  EXPECT_EQ(Row(kScores, 5), (Texts{"30", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(kRunPlaceNumbers, 3), (Texts{"1", " 2", " 3"}));
  EXPECT_EQ(Row(kRunScores, 3), (Texts{"30", "0", "0"}));
  EXPECT_EQ(Text(kThisGameScore), " 30");
  EXPECT_EQ(Text(kRangeName), "－２～２");
  EXPECT_EQ(Text(kPrompt), " 1" + kPromptTail);
  EXPECT_TRUE(Shown(kPrompt) && Shown(kNameBox));
  EXPECT_EQ(Text(kNameBox), "");
  EXPECT_FALSE(session.scoreMissedBestFive);
}

TEST_F(ResultsBoardTest, AScoreEqualToPlaceThreeGoesAboveIt) {
  session.range = XRange::OneToFive;
  results.Put(ListFile(XRange::OneToFive, kFullList));
  Open(30);
  EXPECT_EQ(board->newPlace(), 2);
  EXPECT_EQ(Row(kNames, 5), (Texts{"A", "B", kMarker, "C", "D"}));
  EXPECT_EQ(Row(kScores, 5), (Texts{"50", "40", "30", "30", "20"}));
  EXPECT_EQ(Text(kPrompt), " 3番です。名前を入力して下さい。");
  EXPECT_EQ(Text(kRangeName), "１～５");
}

TEST_F(ResultsBoardTest, AScoreBelowAllFiveFindsNoPlaceButEntersTheBestThree) {
  results.Put(ListFile(XRange::MinusTwoToTwo, kFullList));
  session.bestOfRun[0] = {12, 8, 0};
  Open(9);
  EXPECT_EQ(Row(kNames, 5), (Texts{"A", "B", "C", "D", "E"}));
  EXPECT_FALSE(NameEntryShown());
  EXPECT_TRUE(session.scoreMissedBestFive);
  EXPECT_EQ(Row(kRunScores, 3), (Texts{"12", "9", "8"}));

  // 戻る stores nothing for a score without a place.
  const std::string before = Stored();
  board->OnClick(kBackButton);
  EXPECT_EQ(Commands(), kClosed);
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(results.writes(), 0);

  // Nor is that score offered again while the flag stands.
  Open(40);
  EXPECT_EQ(Row(kNames, 1), Texts{"A"});
  EXPECT_EQ(session.bestOfRun[0], (std::array<std::int16_t, 3>{12, 9, 8}));
  EXPECT_FALSE(NameEntryShown());
}

TEST_F(ResultsBoardTest, ZeroScoreAndTheMenuOpeningPlaceNothing) {
  results.Put(ListFile(XRange::MinusTwoToTwo, kFullList));
  Open(45);  // a game that scored, closed without a name
  Open(0);
  EXPECT_EQ(Text(kThisGameScore), " 0");
  EXPECT_EQ(Row(kNames, 5), (Texts{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(Row(kRunScores, 3), (Texts{"45", "0", "0"}));
  EXPECT_FALSE(NameEntryShown());
  EXPECT_FALSE(session.scoreMissedBestFive);
  // What is typed into a hidden box goes nowhere.
  board->OnTextEdited(kNameBox, "X");
  EXPECT_EQ(Row(kNames, 1), Texts{"A"});
  board->OnClick(kBackButton);
  EXPECT_EQ(results.writes(), 0);
}

TEST_F(ResultsBoardTest, ANegativeStoredScoreRanksBelowAGameScore) {
  results.Put(RecordBytes("NEG", -4));
  Open(1);
  EXPECT_EQ(Row(kScores, 5), (Texts{"1", "-4", "0", "0", "0"}));
  EXPECT_EQ(Row(kNames, 2), (Texts{kMarker, "NEG"}));
}

TEST_F(ResultsBoardTest, BestThreeOfTheRunKeepsTheNewestOfEqualScoresFirst) {
  for (std::int16_t score : {20, 30, 25, 25, 10}) {
    Open(score);
    session.scoreMissedBestFive = false;
  }
  EXPECT_EQ(session.bestOfRun[0], (std::array<std::int16_t, 3>{30, 25, 25}));
  EXPECT_EQ(session.bestOfRun[1], (std::array<std::int16_t, 3>{0, 0, 0}));
}

TEST_F(ResultsBoardTest, TypingShowsAtOnceExactlyAsTypedAndEnterStoresTheCutName) {
  Open(30);
  board->OnTextEdited(kNameBox, "<b>Ken");
  EXPECT_EQ(Row(kNames, 1), Texts{"<b>Ken"});
  board->OnTextEdited(kNameBox, "ABCDEFGHIJKL");
  EXPECT_EQ(Row(kNames, 1), Texts{"ABCDEFGHIJKL"});
  EXPECT_EQ(Text(kNameBox), "ABCDEFGHIJKL");
  EXPECT_EQ(board->list()[0].name, U"ここです！");  // the list keeps the marker
  board->OnKeyPress(kNameBox, 'A');
  EXPECT_TRUE(Commands().empty());
  board->OnKeyPress(kNameBox, kEnterKey);
  EXPECT_EQ(Commands(), kClosed);
  EXPECT_EQ(RecordOf(Stored(), 1), RecordBytes("ABCDEFGHIJ", 30));
}

TEST_F(ResultsBoardTest, BackWithoutTypingStoresAnEmptyName) {
  Open(30);
  board->OnClick(kBackButton);
  EXPECT_EQ(RecordOf(Stored(), 1), RecordBytes("", 30));
}

TEST_F(ResultsBoardTest, TheCloseBoxStoresLikeBackAndTheWindowThenDoesNothing) {
  Open(30);
  board->OnTextEdited(kNameBox, "たろう");
  board->OnCloseBox();
  EXPECT_EQ(Commands(), kClosed);
  EXPECT_EQ(RecordOf(Stored(), 1), RecordBytes("\x82\xBD\x82\xEB\x82\xA4", 30));
  board->OnClick(kBackButton);
  board->OnClick(kClearButton);
  board->OnKeyPress(kNameBox, kEnterKey);
  board->OnTextEdited(kNameBox, "X");
  EXPECT_TRUE(Commands().empty());
  EXPECT_EQ(results.writes(), 1);

  // The next run: the best five come back from the file, the best three
  // start again from nothing.
  SessionState nextRun;
  ResultsBoard list(nextRun, results.store(), 0);
  EXPECT_EQ(list.State().controls[kNames].text, "たろう");
  EXPECT_EQ(list.State().controls[kScores].text, "30");
  EXPECT_EQ(list.State().controls[kRunScores].text, "0");
}

TEST_F(ResultsBoardTest, ClearAsksAndOnOkBlanksTheStoredLists) {
  std::string file;
  for (int i = 1; i <= 21; ++i)
    file += RecordBytes("N" + std::to_string(i), static_cast<std::int16_t>(i));
  file += "tail";
  results.Put(file);
  session.range = XRange::Random;
  Open(50);
  board->OnClick(kClearButton);
  EXPECT_EQ(Commands(),
            (std::vector<Command>{ShowMessage{
                WindowId::Results,
                Message{MessageKind::ConfirmClear, "確認", "成績一覧の名前と時間を消去しますか？",
                        MessageIcon::Question, MessageButtons::OkCancel, 1}}}));
  EXPECT_EQ(Stored(), file);  // nothing before the answer
  board->OnMessageClosed(MessageKind::ConfirmClear, MessageAnswer::Ok);
  EXPECT_EQ(Commands(), kClosed);
  EXPECT_EQ(Stored(), BlankRecords(20) + RecordOf(file, 21) + "tail");
  // The new entry is not stored; the window and the run's best stay.
  EXPECT_EQ(Row(kNames, 1), Texts{kMarker});
  EXPECT_EQ(session.bestOfRun[3][0], 50);
}

TEST_F(ResultsBoardTest, ClearCancelledWritesNothingAndStillCloses) {
  results.Put(RecordBytes("A", 5));
  Open(30);
  board->OnClick(kClearButton);
  board->OnMessageClosed(MessageKind::ConfirmClear, MessageAnswer::Cancel);
  EXPECT_EQ(Commands().back(), kClosed[0]);
  EXPECT_EQ(Stored(), RecordBytes("A", 5));
  EXPECT_EQ(results.writes(), 0);
}

TEST_F(ResultsBoardTest, ASaveOrClearThatFailsIsToldThenTheWindowCloses) {
  for (bool clearing : {false, true}) {
    SCOPED_TRACE(clearing ? "clear" : "save");
    results.Put(RecordBytes("OLD", 40));
    results.FailReplacing();
    Open(30);
    if (clearing) {
      board->OnClick(kClearButton);
      board->OnMessageClosed(MessageKind::ConfirmClear, MessageAnswer::Ok);
    } else {
      board->OnClick(kBackButton);
    }
    const std::vector<Command> told = Commands();
    ASSERT_FALSE(told.empty());
    const auto* notice = std::get_if<ShowMessage>(&told.back());
    ASSERT_NE(notice, nullptr) << Describe(told.back());
    EXPECT_EQ(notice->owner, WindowId::Results);
    EXPECT_EQ(notice->message.kind, clearing ? MessageKind::ClearFailed : MessageKind::SaveFailed);
    EXPECT_EQ(notice->message.icon, MessageIcon::Exclamation);
    EXPECT_EQ(notice->message.buttons, MessageButtons::Ok);
    EXPECT_FALSE(notice->message.text.empty());
    EXPECT_EQ(Stored(), RecordBytes("OLD", 40));
    board->OnMessageClosed(notice->message.kind, MessageAnswer::Ok);
    EXPECT_EQ(Commands(), kClosed);
  }
}

// Empty lists would look like room at the top, and a place offered in
// them could not be stored: the window says so as it opens.
TEST_F(ResultsBoardTest, AListThatCannotBeReadIsSaidSoAndOffersNoPlace) {
  results.Put(RecordBytes("KEEP", 50));
  results.FailReading();
  for (std::int16_t score : {30, 0}) {
    SCOPED_TRACE(score);
    Open(score);
    const std::vector<Command> told = Commands();
    ASSERT_EQ(told.size(), 1u);
    const auto* notice = std::get_if<ShowMessage>(&told[0]);
    ASSERT_NE(notice, nullptr) << Describe(told[0]);
    EXPECT_EQ(notice->message,
              Notice(MessageKind::ListUnreadable, "成績一覧",
                     score ? "成績一覧を読み込めませんでした。\r今回の成績は保存できません。"
                           : "成績一覧を読み込めませんでした。"));
    EXPECT_FALSE(board->readable());
    EXPECT_EQ(Row(kNames, 5), Texts(5, ""));
    EXPECT_FALSE(NameEntryShown());
    board->OnMessageClosed(MessageKind::ListUnreadable, MessageAnswer::Ok);
    EXPECT_TRUE(Commands().empty()) << "the window stays open";
    board->OnTextEdited(kNameBox, "X");
    board->OnClick(kBackButton);
    EXPECT_EQ(Commands(), kClosed);
  }
  EXPECT_EQ(results.writes(), 0);
  EXPECT_EQ(Stored(), RecordBytes("KEEP", 50));
  // The run's own best three still count the game.
  EXPECT_EQ(session.bestOfRun[0][0], 30);
}

TEST_F(ResultsBoardTest, AStoredEntryThatMayNotLastAPowerCutIsToldAsStored) {
  for (bool clearing : {false, true}) {
    SCOPED_TRACE(clearing ? "clear" : "save");
    results.Put(RecordBytes("OLD", 40));
    results.FailFlushingFolder();
    Open(30);
    if (clearing) {
      board->OnClick(kClearButton);
      Commands();
      board->OnMessageClosed(MessageKind::ConfirmClear, MessageAnswer::Ok);
    } else {
      board->OnClick(kBackButton);
    }
    const std::vector<Command> told = Commands();
    ASSERT_EQ(told.size(), 1u);
    const auto* notice = std::get_if<ShowMessage>(&told[0]);
    ASSERT_NE(notice, nullptr) << Describe(told[0]);
    EXPECT_EQ(notice->message,
              clearing
                  ? Notice(MessageKind::ClearUnconfirmed, "成績一覧",
                           "成績一覧を消去しましたが、ディスクへの書き込みを確認できませんでした。")
                  : Notice(MessageKind::SaveUnconfirmed, "成績一覧",
                           "成績を保存しましたが、ディスクへの書き込みを確認できませんでした。"));
    EXPECT_EQ(RecordOf(Stored(), 2), clearing ? RecordBytes("", 0) : RecordBytes("", 30));
    board->OnMessageClosed(notice->message.kind, MessageAnswer::Ok);
    EXPECT_EQ(Commands(), kClosed);
  }
}

TEST_F(ResultsBoardTest, APlaceThatOthersTookMeanwhileIsToldAndNothingIsWritten) {
  Open(30);
  ASSERT_EQ(board->newPlace(), 0);
  board->OnTextEdited(kNameBox, "LATE");
  // Five better scores stored by others while the name was typed.
  const std::string full =
      ListFile(XRange::MinusTwoToTwo, {{"A", 60}, {"B", 50}, {"C", 45}, {"D", 40}, {"E", 35}});
  results.Put(full);
  board->OnClick(kBackButton);
  const std::vector<Command> told = Commands();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(
      told[0],
      (Command{ShowMessage{
          WindowId::Results,
          Notice(
              MessageKind::PlaceGone, "成績一覧",
              "ほかの人の成績が先に保存されたため、今回の成績は５位までに入りませんでした。")}}));
  EXPECT_EQ(Stored(), full);
  board->OnMessageClosed(MessageKind::PlaceGone, MessageAnswer::Ok);
  EXPECT_EQ(Commands(), kClosed);
}

TEST_F(ResultsBoardTest, ShortFilesAndStrayBytesLoadWithoutHarm) {
  results.Put(RecordBytes("\x82\xBD\x82\xEB\x82\xA4", 7) +
              "\x81\x60\xFF"
              "AB");
  Open(0);
  EXPECT_EQ(Row(kNames, 3), (Texts{"たろう", "～\uFFFDAB", ""}));
  EXPECT_EQ(Row(kScores, 2), (Texts{"7", "0"}));
}

}  // namespace
}  // namespace tavri::test
