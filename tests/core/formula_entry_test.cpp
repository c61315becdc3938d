// The second answer stage: the coefficients typed into the formula entry.
#include <gtest/gtest.h>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

// The answer texts a player may type for y = 3x.
TEST(FormulaEntry, ReadsTheNumberAtTheStartOfTheText) {
  struct Typed {
    std::string text;
    bool right;
  };
  const std::vector<Typed> cases{
      {"3", true},    {"+3", true},  {"03", true},   {"3.0", true}, {" 3", true},
      {"３", true},   {"3x", true},  {"2.5", false}, {"", false},   {"abc", false},
      {"-3", false},  {"33", false},
  };
  ProgramHarness h;
  for (const Typed& c : cases) {
    SCOPED_TRACE(c.text);
    h.StartGame(Proportional, 3);
    h.Choose(Proportional);
    h.QueueProblem(Proportional, 1);
    h.EnterFormula(c.text);
    EXPECT_EQ(h.Mark(1), kRight + (c.right ? kRight : kWrong));
  }
}

TEST(FormulaEntry, FormulaOfEachRelationship) {
  struct Typed {
    Relationship relationship;
    int a, b;
    std::string textA, textB;
    bool right;
  };
  const std::vector<Typed> cases{
      {Proportional, -4, 1, "-4", "", true},
      {Proportional, -4, 1, "4", "", false},
      {Inverse, 12, 1, "12", "", true},
      {Inverse, -12, 1, "－１２", "", true},
      {Inverse, -12, 1, "12", "", false},
      {Linear, 2, -3, "2", "-3", true},
      {Linear, 2, -3, "2", "3", false},
      {Linear, 2, -3, "-3", "2", false},
      {Linear, 2, -3, "", "-3", false},  // a left empty
  };
  ProgramHarness h;
  for (const Typed& c : cases) {
    SCOPED_TRACE(c.textA + " / " + c.textB);
    h.StartGame(c.relationship, c.a, c.b);
    h.Choose(c.relationship);
    h.QueueProblem(Proportional, 1);
    h.ClearLog();
    h.EnterFormula(c.textA, c.textB);
    EXPECT_EQ(h.Mark(1), kRight + (c.right ? kRight : kWrong));
    EXPECT_EQ(h.Text(kProblemHeading), "第 2問");
    EXPECT_FALSE(h.FormulaEntryShown());
    for (int box : {kCoefficientBox, kNumeratorBox, kConstantBox}) EXPECT_EQ(h.Text(box), "");
    // No beep of its own: the formula's mark is silent.
    EXPECT_TRUE(h.Taken<Beep>().empty());
  }
}

TEST(FormulaEntry, EnterInAOfALinearFunctionOnlyMovesOnToB) {
  ProgramHarness h;
  h.StartGame(Linear, 2, -3);
  h.Choose(Linear);
  h.Type(WindowId::Game, kCoefficientBox, "2");
  h.ClearLog();
  h.Key(WindowId::Game, kCoefficientBox, kEnterKey);
  EXPECT_EQ(h.commands, (std::vector<Command>{MoveFocus{WindowId::Game, kConstantBox}}));
  EXPECT_EQ(h.Mark(1), kRight);
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
  EXPECT_TRUE(h.Shown(kConstantBox));
  EXPECT_EQ(h.Text(kCoefficientBox), "2");
  EXPECT_EQ(h.random.draws, 3);
}

TEST(FormulaEntry, KeysOtherThanEnterAndHiddenBoxesAreNeverJudged) {
  ProgramHarness h;
  h.StartGame(Inverse, 6);
  h.Choose(Inverse);
  h.Type(WindowId::Game, kNumeratorBox, "6");
  for (int key : {0, 8, 9, 10, 27, 32, int{'6'}, int{'-'}, 12, 14, 255, 0x3042})
    h.Key(WindowId::Game, kNumeratorBox, key);
  // The boxes of y = ax are hidden: Enter there judges nothing.
  h.Key(WindowId::Game, kCoefficientBox, kEnterKey);
  h.Key(WindowId::Game, kConstantBox, kEnterKey);
  EXPECT_EQ(h.Mark(1), kRight);
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");

  h.StartGame(Linear, 1, 1);
  h.Choose(Linear);
  h.Type(WindowId::Game, kCoefficientBox, "1");
  h.Type(WindowId::Game, kConstantBox, "1");
  for (int key : {10, 32, int{'1'}}) {
    h.Key(WindowId::Game, kCoefficientBox, key);
    h.Key(WindowId::Game, kConstantBox, key);
  }
  h.Key(WindowId::Game, kNumeratorBox, kEnterKey);
  EXPECT_EQ(h.Mark(1), kRight);
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
  EXPECT_EQ(h.Taken<MoveFocus>().size(), 2u);  // one for each right choice
}

TEST(FormulaEntry, NeverTouchesTotalPointsOrCountdown) {
  ProgramHarness h;
  h.StartGame(Linear, 3, 2);
  h.Tick(2);
  h.Choose(Linear);
  h.Type(WindowId::Game, kCoefficientBox, "3");
  h.Key(WindowId::Game, kCoefficientBox, kEnterKey);
  h.Type(WindowId::Game, kConstantBox, "9");
  h.ClearLog();
  h.Key(WindowId::Game, kConstantBox, int{'9'});
  h.Tick();  // stopped: a late tick changes nothing
  EXPECT_TRUE(h.commands.empty());
  EXPECT_EQ(h.Text(kTotalButton), " 8");
  EXPECT_EQ(h.Text(kPoints), " 8");
  EXPECT_EQ(h.Mark(1), kRight);
}

}  // namespace
}  // namespace tavri::test
