// The two answer stages and the countdown, one problem at a time.
#include <gtest/gtest.h>

#include "support/form1_fixture.h"

namespace tavri::test {
namespace {

class Answer : public Form1Fixture {};

TEST_F(Answer, RightChoiceBanksThePointsShownAndOpensItsFormula) {
  struct Opened {
    int kind;
    bool a1, b, a2, laX1, laX2, line3;
    Focus focus;
  };
  const std::vector<Opened> cases{
      {kProportional, true, false, false, true, false, false, Focus::TextA1},
      {kInverse, false, false, true, false, true, true, Focus::TextA2},
      {kLinear, true, true, false, true, false, false, Focus::TextA1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    Start(c.kind, c.kind == kInverse ? 6 : 2);
    Tick(3);
    const int beeps = platform.beeps;
    form.kotae_Click(c.kind);
    EXPECT_EQ(form.Timer1.Interval, 0);
    EXPECT_EQ(platform.beeps, beeps + 1);
    EXPECT_EQ(Mark(1), kRight);
    EXPECT_EQ(form.tokutenyo.Caption, " 7");
    EXPECT_EQ(form.tokuten.Caption, " 7");
    EXPECT_TRUE(form.LaY.Visible);
    EXPECT_EQ(form.TextA1.Visible, c.a1);
    EXPECT_EQ(form.TextB.Visible, c.b);
    EXPECT_EQ(form.TextA2.Visible, c.a2);
    EXPECT_EQ(form.LaX1.Visible, c.laX1);
    EXPECT_EQ(form.LaX2.Visible, c.laX2);
    EXPECT_EQ(form.Line3.Visible, c.line3);
    EXPECT_FALSE(form.La2.Visible);
    EXPECT_TRUE(form.enter.Visible);
    EXPECT_EQ(form.focusRequest, c.focus);
    EXPECT_FALSE(AnyButtonEnabled());
    EXPECT_EQ(form.problemNo, 1);
  }
}

TEST_F(Answer, WrongChoiceMarksAndMovesOnWithoutPoints) {
  Start(kLinear, 1, 1);
  Tick(2);
  QueueProblem(kProportional, 3);
  form.kotae_Click(kProportional);
  EXPECT_EQ(platform.beeps, 1);
  EXPECT_EQ(Mark(1), kWrong);
  EXPECT_EQ(form.tokutenyo.Caption, " 0");
  EXPECT_EQ(form.problemNo, 2);
  EXPECT_EQ(form.tokuten.Caption, "10");
  EXPECT_EQ(form.Timer1.Interval, 2000);
  EXPECT_FALSE(FormulaEntryShown());
}

TEST_F(Answer, ButtonsThatCannotBeClickedJudgeNothing) {
  for (int index : {0, 1, 2, 3, -1, 4}) form.kotae_Click(index);  // before any problem
  Start(kLinear, 1, 1);
  for (int index : {3, -1, 4}) form.kotae_Click(index);
  EXPECT_EQ(platform.beeps, 0);
  EXPECT_EQ(Mark(1), "");
  EXPECT_EQ(form.Timer1.Interval, 2000);
}

TEST_F(Answer, CountdownShowsEachPointAndTimesOutOnTheEleventhTick) {
  Start(kProportional, 2);
  for (int shown = 9; shown >= 0; --shown) {
    Tick();
    EXPECT_EQ(form.tokuten.Caption, SignedText(shown));
  }
  EXPECT_EQ(Mark(1), "");
  QueueProblem(kInverse, 12);
  Tick();
  EXPECT_EQ(Mark(1), kWrong);
  EXPECT_EQ(platform.beeps, 1);
  EXPECT_EQ(form.problemNo, 2);
  EXPECT_EQ(form.tokuten.Caption, "10");
  EXPECT_EQ(form.Timer1.Interval, 2000);
  EXPECT_EQ(form.tokutenyo.Caption, " 0");
}

// The answer texts a player may type for y = 3x.
TEST_F(Answer, FormulaReadsTheNumberAtTheStartOfTheText) {
  for (std::string text : {"3", "+3", "03", "3.0", " 3", "３", "3x"}) {
    SCOPED_TRACE(text);
    Start(kProportional, 3);
    form.kotae_Click(kProportional);
    QueueProblem(kProportional, 1);
    EnterFormula(text);
    EXPECT_EQ(Mark(1), kRight + kRight);
  }
  for (std::string text : {"2.5", "", "abc", "-3", "33"}) {
    SCOPED_TRACE(text);
    Start(kProportional, 3);
    form.kotae_Click(kProportional);
    QueueProblem(kProportional, 1);
    EnterFormula(text);
    EXPECT_EQ(Mark(1), kRight + kWrong);
  }
}

TEST_F(Answer, FormulaOfEachKind) {
  struct Typed {
    int kind, a, b;
    std::string textA, textB;
    bool right;
  };
  const std::vector<Typed> cases{
      {kProportional, -4, 1, "-4", "", true},
      {kProportional, -4, 1, "4", "", false},
      {kInverse, 12, 1, "12", "", true},
      {kInverse, -12, 1, "－１２", "", true},
      {kInverse, -12, 1, "12", "", false},
      {kLinear, 2, -3, "2", "-3", true},
      {kLinear, 2, -3, "2", "3", false},
      {kLinear, 2, -3, "-3", "2", false},
      {kLinear, 2, -3, "", "-3", false},  // a left empty
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.textA + " / " + c.textB);
    Start(c.kind, c.a, c.b);
    form.kotae_Click(c.kind);
    QueueProblem(kProportional, 1);
    EnterFormula(c.textA, c.textB);
    EXPECT_EQ(Mark(1), kRight + (c.right ? kRight : kWrong));
    EXPECT_EQ(form.problemNo, 2);
    EXPECT_FALSE(FormulaEntryShown());
    EXPECT_TRUE(form.TextA1.Text.empty() && form.TextA2.Text.empty() && form.TextB.Text.empty());
  }
}

TEST_F(Answer, EnterInAOfALinearFunctionOnlyMovesOnToB) {
  Start(kLinear, 2, -3);
  Tick(4);
  form.kotae_Click(kLinear);
  form.TextA1.Text = "2";
  form.TextA1_KeyPress(kEnterKey);
  EXPECT_EQ(form.focusRequest, Focus::TextB);
  EXPECT_EQ(Mark(1), kRight);
  EXPECT_EQ(form.problemNo, 1);
  EXPECT_TRUE(form.TextB.Visible);
  EXPECT_EQ(form.TextA1.Text, "2");
  EXPECT_EQ(platform.randomDraws, 3);
}

TEST_F(Answer, KeysOtherThanEnterAreNeverJudged) {
  Start(kInverse, 6);
  form.kotae_Click(kInverse);
  form.TextA2.Text = "6";
  for (int key : {0, 8, 9, 10, 27, 32, int{'6'}, int{'-'}, 12, 14, 255, 0x3042})
    form.TextA2_KeyPress(key);
  EXPECT_EQ(Mark(1), kRight);
  EXPECT_EQ(form.problemNo, 1);

  Start(kLinear, 1, 1);
  form.kotae_Click(kLinear);
  form.TextA1.Text = "1";
  form.TextB.Text = "1";
  for (int key : {10, 32, int{'1'}}) {
    form.TextA1_KeyPress(key);
    form.TextB_KeyPress(key);
  }
  // Hidden boxes take no keys at all.
  form.TextA2_KeyPress(kEnterKey);
  EXPECT_EQ(Mark(1), kRight);
  EXPECT_EQ(form.problemNo, 1);
  EXPECT_EQ(form.focusRequest, Focus::TextA1);
}

TEST_F(Answer, FormulaNeverTouchesTotalPointsOrCountdown) {
  Start(kLinear, 3, 2);
  Tick(2);
  form.kotae_Click(kLinear);
  form.TextA1.Text = "3";
  form.TextA1_KeyPress(kEnterKey);
  form.TextB.Text = "9";
  form.TextB_KeyPress(int{'9'});
  EXPECT_EQ(form.tokutenyo.Caption, " 8");
  EXPECT_EQ(form.tokuten.Caption, " 8");
  EXPECT_EQ(form.Timer1.Interval, 0);
  Tick();  // stopped: a late tick changes nothing
  EXPECT_EQ(form.tokuten.Caption, " 8");
  EXPECT_EQ(Mark(1), kRight);
}

}  // namespace
}  // namespace tavri::test
