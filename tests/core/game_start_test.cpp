// The game window from start-up to Start: what it shows before the first
// game, and what Start resets.
#include <gtest/gtest.h>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using Texts = std::vector<std::string>;
using enum Relationship;

TEST(GameStart, StartUpShowsTheWaitingWindow) {
  ProgramHarness h;
  // Opened and made active, which shows the notice.
  EXPECT_TRUE(h.front.Of(WindowId::Game).shown);
  EXPECT_EQ(h.front.active, WindowId::Game);
  ASSERT_EQ(h.front.boxes.size(), 1u);
  EXPECT_EQ(h.front.boxes[0].second.kind, MessageKind::StartNotice);
  EXPECT_EQ(h.random.seeds, 1);
  EXPECT_EQ(h.random.draws, 0);

  // The captions as drawn up, until the first problem.
  EXPECT_EQ(h.Text(kProblemHeading), "番  号");
  EXPECT_EQ(h.Text(kPoints), "点");
  EXPECT_EQ(h.Text(kTotalButton), "得点");
  for (int i = 0; i < kProblemCount; ++i) {
    EXPECT_EQ(h.Text(kProblemNumbers + i), std::to_string(i + 1));
    EXPECT_EQ(h.Mark(i + 1), "");
  }
  EXPECT_EQ(h.XRow(), Texts(5, ""));
  EXPECT_EQ(h.YRow(), Texts(5, ""));
  EXPECT_EQ(h.Text(kEnterHint), "  数を入れたらＥｎｔｅｒキーを押してください。");

  // Nothing to answer yet; y = ax² is never shown.
  EXPECT_FALSE(h.AnyRelationshipUsable());
  EXPECT_TRUE(h.Shown(kRelationshipButtons));
  EXPECT_FALSE(h.Shown(kRelationshipButtons + static_cast<int>(SquareProportional)));
  EXPECT_FALSE(h.FormulaEntryShown());

  // The first range chosen.
  EXPECT_EQ(h.State().menuChecked[kRangeItems], true);
  for (int r = 1; r < kRangeCount; ++r) EXPECT_FALSE(h.State().menuChecked[kRangeItems + r]);
  EXPECT_EQ(h.Text(kRangeButton), "ｘの値：－２～２");
  EXPECT_EQ(h.program.session().range, XRange::MinusTwoToTwo);

  // The focus starts on the first usable control in tab order: スタート.
  const WindowDesign& design = Design();
  int first = -1;
  for (int control = 0; control < kControlCount; ++control) {
    const int tab = design.controls[static_cast<std::size_t>(control)].tabIndex;
    if (tab == kNoTabStop || !h.Usable(control)) continue;
    if (first < 0 || tab < design.controls[static_cast<std::size_t>(first)].tabIndex)
      first = control;
  }
  EXPECT_EQ(first, kStartButton);
}

TEST(GameStart, StartShowsProblemOneReadyToAnswer) {
  ProgramHarness h;
  h.ClearLog();
  h.StartGame(Proportional, 2);
  EXPECT_EQ(h.commands, (std::vector<Command>{StartCountdown{2000}}));
  EXPECT_EQ(h.random.seeds, 1);  // seeded once, at start-up
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(h.Usable(kRelationshipButtons + i));
  EXPECT_FALSE(h.Shown(kRelationshipButtons + 3));
  EXPECT_EQ(h.Text(kPoints), "10");
  EXPECT_EQ(h.Text(kTotalButton), " 0");
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
  EXPECT_EQ(h.XRow(), (Texts{"-2", "-1", " 0", " 1", " 2"}));
  EXPECT_EQ(h.YRow(), (Texts{"-4", "-2", " 0", " 2", " 4"}));
  EXPECT_FALSE(h.FormulaEntryShown());
}

TEST(GameStart, HeadingCountsTheFiveProblemsOfAGame) {
  ProgramHarness h;
  h.StartGame(Proportional, 1);
  for (int problem = 2; problem <= 5; ++problem) {
    h.QueueProblem(Inverse, 6);
    h.Choose(Linear);  // wrong: straight on to the next problem
    EXPECT_EQ(h.Text(kProblemHeading), "第 " + std::to_string(problem) + "問");
  }
}

TEST(GameStart, StartDuringTheFormulaEntryAbandonsTheGame) {
  ProgramHarness h;
  h.StartGame(Linear, 2, 1);
  h.QueueProblem(Proportional, 2);
  ASSERT_TRUE(h.AnswerRight());
  h.Tick(4);
  h.Choose(Proportional);
  h.Type(WindowId::Game, kCoefficientBox, "2");
  h.ClearLog();
  h.StartGame(Inverse, 6);
  EXPECT_FALSE(h.FormulaEntryShown());
  EXPECT_EQ(h.Text(kCoefficientBox), "");
  for (int problem = 1; problem <= 5; ++problem) EXPECT_EQ(h.Mark(problem), "");
  EXPECT_EQ(h.Text(kTotalButton), " 0");
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
  EXPECT_EQ(h.Text(kPoints), "10");
  EXPECT_TRUE(h.AnyRelationshipUsable());
  // Abandoned without a score: no results window, the countdown anew.
  EXPECT_EQ(h.commands, (std::vector<Command>{StartCountdown{2000}}));
}

TEST(GameStart, StartDuringACountdownBeginsAFullPeriod) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.Tick(3);
  h.ClearLog();
  h.StartGame(Linear, 1, 1);
  // Started over, so the new problem's first point is not cut short by the
  // old phase.
  EXPECT_EQ(h.commands, (std::vector<Command>{StartCountdown{2000}}));
  EXPECT_EQ(h.Text(kPoints), "10");
}

TEST(GameStart, StartKeepsTheRangeAndForgetsAScoreThatMissed) {
  ProgramHarness h;
  h.results.Put(ListFile(XRange::MinusTwoToTwo,
                         {{"A", 50}, {"B", 50}, {"C", 50}, {"D", 50}, {"E", 50}}));
  ASSERT_TRUE(h.PlayGame({1, 0, 0, 0, 0}));  // 49: below all five
  h.Click(WindowId::Results, results_window::kBackButton);
  ASSERT_TRUE(h.program.session().scoreMissedBestFive);
  h.ChooseMenu(kRangeItems + RangeIndex(XRange::MinusFiveToMinusOne));
  h.StartGame(Proportional, 1);
  EXPECT_FALSE(h.program.session().scoreMissedBestFive);
  EXPECT_EQ(h.program.session().range, XRange::MinusFiveToMinusOne);
  EXPECT_EQ(h.program.session().bestOfRun[0][0], 49);
}

}  // namespace
}  // namespace tavri::test
