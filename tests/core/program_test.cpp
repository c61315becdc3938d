// The program: what the windows ask of each other (the help window, the
// results window opened for looking and at a game end) and Exit.
#include "app/core/program.h"

#include <gtest/gtest.h>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

const ShowMessage kStartNotice{
    WindowId::Game, Message{MessageKind::StartNotice, "スタート",
                            "「スタート」ボタンをクリックすると，始まります。",
                            MessageIcon::Exclamation, MessageButtons::Ok, 0}};

TEST(HelpWindow, CreatedOnceHiddenByBackAndRecreatedAfterItsCloseBox) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.ClearLog();
  h.Click(kHelpButton);
  const HelpPage* page = h.program.help();
  ASSERT_NE(page, nullptr);
  h.ChooseMenu(kHelpItem);
  EXPECT_EQ(h.program.help(), page);
  EXPECT_EQ(h.commands, (std::vector<Command>{OpenWindow{WindowId::Help, false},
                                              OpenWindow{WindowId::Help, false}}));
  // The game window comes forward, then help is hidden; the return to the
  // game window shows the notice.
  h.ClearLog();
  h.Click(WindowId::Help, help_window::kBackButton);
  EXPECT_EQ(h.commands, (std::vector<Command>{OpenWindow{WindowId::Game, false},
                                              HideWindow{WindowId::Help}, kStartNotice}));
  EXPECT_EQ(h.program.help(), page);

  h.ClearLog();
  h.Click(kHelpButton);
  h.CloseBox(WindowId::Help);
  EXPECT_EQ(h.commands, (std::vector<Command>{OpenWindow{WindowId::Help, false},
                                              CloseWindow{WindowId::Help}, kStartNotice}));
  EXPECT_EQ(h.program.Window(WindowId::Help), nullptr);
  h.Click(kHelpButton);
  EXPECT_NE(h.program.help(), nullptr);
  // Meanwhile the game went on.
  h.Tick();
  EXPECT_EQ(h.Text(kPoints), " 9");
  EXPECT_TRUE(h.Taken<StopCountdown>().empty());
}

TEST(ResultsList, OpenedDuringAGameIsModelessAndTheGameGoesOn) {
  ProgramHarness h;
  h.results.Put(ListFile(XRange::MinusTwoToTwo, {{"A", 50}}));
  h.StartGameOfFive();
  h.Tick(2);
  ASSERT_TRUE(h.AnswerRight());  // 8 on the total
  h.ClearLog();
  h.ChooseMenu(kListItem);
  EXPECT_EQ(h.commands, (std::vector<Command>{OpenWindow{WindowId::Results, false}}));
  ASSERT_NE(h.program.results(), nullptr);
  const ResultsBoard* list = h.program.results();
  EXPECT_EQ(list->score(), 0);
  EXPECT_FALSE(h.program.resultsModal());
  EXPECT_EQ(h.Text(results_window::kNames, WindowId::Results), "A");

  // The total button brings the same window to the front.
  h.Click(kTotalButton);
  EXPECT_EQ(h.program.results(), list);
  EXPECT_EQ(h.commands.back(), (Command{OpenWindow{WindowId::Results, false}}));
  h.Tick(2);
  EXPECT_EQ(h.Text(kPoints), " 8");
  EXPECT_EQ(h.Text(kTotalButton), " 8");
  h.Choose(Inverse);  // wrong
  EXPECT_EQ(h.Mark(2), kWrong);
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_EQ(h.program.results(), nullptr);
  EXPECT_EQ(h.results.writes(), 0);
}

TEST(ResultsList, AGameEndWhileItIsOpenReplacesItWithTheGameEndsOwn) {
  ProgramHarness h;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0}));
  h.ChooseMenu(kListItem);
  h.Type(WindowId::Results, results_window::kNameBox, "LOOK");
  h.Activate(WindowId::Game);
  h.Choose(Proportional);
  h.ClearLog();
  h.EnterFormula("2");
  EXPECT_EQ(h.commands, (std::vector<Command>{CloseWindow{WindowId::Results},
                                              OpenWindow{WindowId::Results, true}}));
  EXPECT_EQ(h.results.writes(), 0);
  ASSERT_TRUE(h.program.resultsModal());
  EXPECT_EQ(h.program.results()->score(), 50);
  EXPECT_EQ(h.Text(results_window::kNames, WindowId::Results), "ここです！");
  h.Type(WindowId::Results, results_window::kNameBox, "KEN");
  h.CloseBox(WindowId::Results);
  EXPECT_EQ(h.results.Bytes()->substr(0, 12), RecordBytes("KEN", 50));
  EXPECT_EQ(h.Boxes(MessageKind::Restart), 1u);
}

// An answer to a box of a results window that a game end has since
// replaced belongs to no window that is still open.
TEST(ResultsList, AnAnswerForAReplacedListReachesNoOtherWindow) {
  ProgramHarness h;
  h.results.Put(ListFile(XRange::MinusTwoToTwo, {{"A", 50}}));
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0}));
  h.ChooseMenu(kListItem);
  h.holdBoxes = true;
  h.Click(WindowId::Results, results_window::kClearButton);
  h.Tick(11);  // problem 5 runs out while the question is open
  ASSERT_TRUE(h.program.resultsModal());
  h.ClearLog();
  h.AnswerBox(MessageAnswer::Ok);
  // Only what the time-out asked for, which waited behind the box.
  EXPECT_EQ(h.commands, (std::vector<Command>{Beep{}, StopCountdown{},
                                              CloseWindow{WindowId::Results},
                                              OpenWindow{WindowId::Results, true}}));
  EXPECT_TRUE(h.program.resultsModal());
  EXPECT_EQ(h.results.writes(), 0);
}

TEST(ResultsWindow, AtAGameEndItAloneTakesInput) {
  ProgramHarness h;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  const WindowState before = h.State();
  h.ClearLog();
  h.Click(kStartButton);
  h.Click(kRangeButton);
  h.Click(kExitButton);
  h.Click(kHelpButton);
  h.Click(kTotalButton);
  for (int item : std::initializer_list<int>{kStartItem, kListItem, kExitItem, kRangeItems + 2, kHelpItem}) h.ChooseMenu(item);
  h.Key(WindowId::Game, kNumeratorBox, kEnterKey);
  h.CloseBox(WindowId::Game);
  h.Tick(12);
  EXPECT_TRUE(h.commands.empty());
  EXPECT_EQ(h.State(), before);
  EXPECT_FALSE(h.program.ended());
}

TEST(ResultsWindow, TheMarksAreDrawnBeforeItOpensAtTheFifthFormula) {
  ProgramHarness h;
  std::string fifthMark, total;
  h.onCommand = [&](const Command& command) {
    if (command == Command{OpenWindow{WindowId::Results, true}}) {
      fifthMark = h.Mark(5);
      total = h.Text(kTotalButton);
    }
  };
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 1}));
  EXPECT_EQ(fifthMark, "○○");
  EXPECT_EQ(total, " 49");
}

TEST(ResultsWindow, TakesTheListOfTheRangeAtTheGameEnd) {
  ProgramHarness h;
  h.StartGameOfFive();
  ASSERT_TRUE(h.AnswerRight());
  h.ChooseMenu(kRangeItems + RangeIndex(XRange::OneToFive));
  for (int problem = 2; problem <= 5; ++problem) ASSERT_TRUE(h.AnswerRight());
  EXPECT_EQ(h.program.results()->range(), XRange::OneToFive);
  EXPECT_EQ(h.Text(results_window::kRangeName, WindowId::Results), "１～５");
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_EQ(h.results.Bytes()->substr(0, 72), BlankRecords(5) + RecordBytes("", 50));
}

TEST(Exit, EndsAtOnceAndLaterEventsDoNothing) {
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    ProgramHarness h;
    h.StartGame(Proportional, 2);
    h.ChooseMenu(kListItem);
    h.ClearLog();
    if (way == 0) h.Click(kExitButton);
    if (way == 1) h.ChooseMenu(kExitItem);
    if (way == 2) h.CloseBox(WindowId::Game);
    EXPECT_EQ(h.commands, (std::vector<Command>{EndProgram{}}));
    EXPECT_TRUE(h.program.ended());
    h.Click(kStartButton);
    h.Click(WindowId::Results, results_window::kBackButton);
    h.Tick(12);
    h.Activate(WindowId::Results);
    h.Activate(WindowId::Game);
    h.host.OnBoxAnswered(MessageAnswer::Ok);
    EXPECT_EQ(h.commands.size(), 1u);
    EXPECT_TRUE(h.front.ended);
    EXPECT_FALSE(h.front.timerMs);
    EXPECT_EQ(h.Text(kPoints), "10");
    EXPECT_EQ(h.results.writes(), 0);
  }
}

}  // namespace
}  // namespace tavri::test
