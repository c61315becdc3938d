// The first answer stage: choosing how y depends on x.
#include <gtest/gtest.h>

#include <set>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

std::set<int> ShownFormulaControls(ProgramHarness& h) {
  std::set<int> shown;
  for (int control = kFormulaY; control <= kEnterHint; ++control)
    if (h.Shown(control)) shown.insert(control);
  return shown;
}

TEST(RelationshipChoice, RightChoiceBanksThePointsShownAndOpensItsFormula) {
  struct Opened {
    Relationship relationship;
    std::set<int> formula;
    int focus;
  };
  const std::vector<Opened> cases{
      {Proportional, {kFormulaY, kCoefficientBox, kFormulaX, kEnterHint}, kCoefficientBox},
      {Inverse, {kFormulaY, kNumeratorBox, kFractionBar, kDenominatorX, kEnterHint},
       kNumeratorBox},
      {Linear, {kFormulaY, kCoefficientBox, kFormulaX, kConstantBox, kEnterHint},
       kCoefficientBox},
  };
  for (const Opened& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.relationship));
    ProgramHarness h;
    h.StartGame(c.relationship, c.relationship == Inverse ? 6 : 2);
    h.Tick(3);
    h.ClearLog();
    h.Choose(c.relationship);
    EXPECT_EQ(h.commands, (std::vector<Command>{StopCountdown{}, Beep{},
                                                MoveFocus{WindowId::Game, c.focus}}));
    EXPECT_EQ(h.Mark(1), kRight);
    EXPECT_EQ(h.Text(kTotalButton), " 7");
    EXPECT_EQ(h.Text(kPoints), " 7");
    EXPECT_EQ(ShownFormulaControls(h), c.formula);
    EXPECT_FALSE(h.AnyRelationshipUsable());
    EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
  }
}

TEST(RelationshipChoice, RightChoiceAtZeroPointsBanksNothingButOpensTheFormula) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.Tick(10);
  h.Choose(Proportional);
  EXPECT_EQ(h.Text(kTotalButton), " 0");
  EXPECT_EQ(h.Text(kPoints), " 0");
  EXPECT_TRUE(h.Shown(kCoefficientBox));
}

TEST(RelationshipChoice, WrongChoiceMarksAndMovesOnWithoutPoints) {
  ProgramHarness h;
  h.StartGame(Linear, 1, 1);
  h.Tick(2);
  h.QueueProblem(Proportional, 3);
  h.ClearLog();
  h.Choose(Proportional);
  EXPECT_EQ(h.commands, (std::vector<Command>{StopCountdown{}, Beep{}, StartCountdown{2000}}));
  EXPECT_EQ(h.Mark(1), kWrong);
  EXPECT_EQ(h.Text(kTotalButton), " 0");
  EXPECT_EQ(h.Text(kProblemHeading), "第 2問");
  EXPECT_EQ(h.Text(kPoints), "10");
  EXPECT_FALSE(h.FormulaEntryShown());
  EXPECT_TRUE(h.AnyRelationshipUsable());
}

TEST(RelationshipChoice, ButtonsThatCannotBeClickedJudgeNothing) {
  ProgramHarness h;
  // Before any problem.
  for (int i = 0; i < kRelationshipCount; ++i) h.Click(kRelationshipButtons + i);
  EXPECT_TRUE(h.commands.empty());
  // The hidden y = ax² button, and any button once the choice was right.
  h.StartGame(Linear, 1, 1);
  h.ClearLog();
  h.Click(kRelationshipButtons + static_cast<int>(SquareProportional));
  EXPECT_TRUE(h.commands.empty());
  EXPECT_EQ(h.Mark(1), "");
  h.Choose(Linear);
  h.Tick(2);
  h.ClearLog();
  for (int i = 0; i < kRelationshipCount; ++i) h.Click(kRelationshipButtons + i);
  EXPECT_TRUE(h.commands.empty());
  EXPECT_EQ(h.Mark(1), kRight);
  EXPECT_EQ(h.Text(kTotalButton), " 10");
}

}  // namespace
}  // namespace tavri::test
