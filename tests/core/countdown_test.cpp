// The points of a problem: falling every tick until the relationship is
// chosen, and a problem lost when they run out.
#include <gtest/gtest.h>

#include "shared/conversions.h"
#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

TEST(Countdown, ShowsEachPointAndTimesOutOnTheEleventhTick) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.ClearLog();
  for (int shown = 9; shown >= 0; --shown) {
    h.Tick();
    EXPECT_EQ(h.Text(kPoints), SignedText(shown));
  }
  EXPECT_EQ(h.Mark(1), "");
  EXPECT_TRUE(h.commands.empty());
  h.QueueProblem(Inverse, 12);
  h.Tick();
  EXPECT_EQ(h.Mark(1), kWrong);
  EXPECT_EQ(h.commands, (std::vector<Command>{Beep{}, StopCountdown{}, StartCountdown{2000}}));
  EXPECT_EQ(h.Text(kProblemHeading), "第 2問");
  EXPECT_EQ(h.Text(kPoints), "10");
  EXPECT_EQ(h.Text(kTotalButton), " 0");
}

TEST(Countdown, TimeOutOnProblemThreeGoesOn) {
  ProgramHarness h;
  h.StartGameOfFive();
  ASSERT_TRUE(h.AnswerRight());
  ASSERT_TRUE(h.AnswerRight());
  h.Tick(11);
  EXPECT_EQ(h.Mark(3), kWrong);
  EXPECT_EQ(h.Text(kProblemHeading), "第 4問");
  ASSERT_TRUE(h.AnswerRight());
  ASSERT_TRUE(h.AnswerRight());
  ASSERT_NE(h.program.results(), nullptr);
  EXPECT_EQ(h.program.results()->score(), 40);
}

TEST(Countdown, TimeOutOnProblemFiveOpensOnlyTheResults) {
  ProgramHarness h;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0}));
  h.Tick(10);
  h.ClearLog();
  h.Tick();
  EXPECT_EQ(h.Mark(5), kWrong);
  EXPECT_EQ(h.commands, (std::vector<Command>{Beep{}, StopCountdown{},
                                              OpenWindow{WindowId::Results, true}}));
  EXPECT_EQ(h.program.results()->score(), 40);
  EXPECT_EQ(h.Text(kPoints), " 0");
  EXPECT_FALSE(h.AnyRelationshipUsable());
  // No restart message follows when the results window closes; only the
  // notice of the return to the game window.
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_EQ(h.Boxes(MessageKind::Restart), 0u);
  EXPECT_EQ(h.Boxes(MessageKind::StartNotice), 1u);
  EXPECT_FALSE(h.program.game().gameEnding());
}

TEST(Countdown, TicksWhileNoCountdownRunsCountNothing) {
  ProgramHarness h;
  h.Tick(12);  // before the first problem
  EXPECT_EQ(h.Text(kPoints), "点");
  h.StartGame(Linear, 1, 1);
  h.Tick(2);
  h.Choose(Linear);  // a right choice stops it
  h.Tick(12);
  EXPECT_EQ(h.Text(kPoints), " 8");
  EXPECT_EQ(h.Mark(1), kRight);
}

TEST(Countdown, RangeButtonFreezesPointsWhichAreStillBanked) {
  ProgramHarness h;
  h.StartGame(Inverse, -18);
  h.Tick(4);
  h.Click(kRangeButton);
  h.Tick(12);  // ticks already on their way count nothing
  EXPECT_EQ(h.Text(kPoints), " 6");
  EXPECT_EQ(h.Mark(1), "");
  h.QueueProblem(Proportional, 1);
  ASSERT_TRUE(h.AnswerRight());
  EXPECT_EQ(h.Text(kTotalButton), " 6");
  // The next problem counts down again, in the new range.
  EXPECT_EQ(h.commands.back(), Command{StartCountdown{2000}});
  EXPECT_EQ(h.XRow(), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
}

TEST(Countdown, RangeMenuLeavesItRunning) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.Tick();
  h.ChooseMenu(kRangeItems + RangeIndex(XRange::MinusFiveToMinusOne));
  EXPECT_TRUE(h.Taken<StopCountdown>().empty());
  h.Tick();
  EXPECT_EQ(h.Text(kPoints), " 8");
}

}  // namespace
}  // namespace tavri::test
