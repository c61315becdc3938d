// Whole games, played through the handlers from Start to the game end.
#include <gtest/gtest.h>

#include "support/form1_fixture.h"

namespace tavri::test {
namespace {

class Game : public Form1Fixture {
 protected:
  // What happened at the game end, in the order it happened.
  Game() {
    windows.onResultsModal = [this] {
      events.push_back("results " + std::to_string(module.totalScore));
      formulaShownDuringResults = FormulaEntryShown();
    };
    platform.onMessageBox = [this](const MessageBoxSpec& box) {
      events.push_back("box " + box.title);
      formulaShownDuringBox = FormulaEntryShown();
    };
  }

  // Queues problems 2 to 5, all y = 2x.
  void QueueRestOfGame() {
    for (int problem = 2; problem <= 5; ++problem) QueueProblem(kProportional, 2);
  }

  void ExpectRestartMessageAfterResults(int total) {
    EXPECT_EQ(events, (std::vector<std::string>{"results " + std::to_string(total),
                                                "box 再スタート"}));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "再スタートは，\r「スタート」ボタンをクリック!!");
    EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(platform.boxes[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(FormulaEntryShown());
  }

  // After any game end nothing can be answered until Start.
  void ExpectGameOver() {
    EXPECT_FALSE(AnyButtonEnabled());
    EXPECT_EQ(form.Timer1.Interval, 0);
    const auto total = form.tokutenyo.Caption;
    const auto score = module.totalScore;
    const auto marks = Mark(5);
    const int beeps = platform.beeps;
    for (int index : {0, 1, 2, 3}) form.kotae_Click(index);
    Tick(12);
    EXPECT_EQ(form.tokutenyo.Caption, total);
    EXPECT_EQ(module.totalScore, score);
    EXPECT_EQ(Mark(5), marks);
    EXPECT_EQ(windows.resultsModal, 1);
    EXPECT_EQ(platform.beeps, beeps);
    EXPECT_FALSE(FormulaEntryShown());
  }

  std::vector<std::string> events;
  bool formulaShownDuringResults = false;
  bool formulaShownDuringBox = false;
};

TEST_F(Game, FiveRightAnswersAddUpThePointsShownAtEachChoice) {
  const std::vector<int> ticks{0, 1, 3, 0, 10};  // 10, 9, 7, 10 and 0 points
  Start(kProportional, 2);
  QueueProblem(kInverse, -6);
  QueueProblem(kLinear, 3, -1);
  QueueProblem(kProportional, -4);
  QueueProblem(kInverse, 18);
  for (int problem = 1; problem <= 5; ++problem) {
    Tick(ticks[static_cast<std::size_t>(problem - 1)]);
    AnswerRight();
  }
  EXPECT_EQ(form.tokutenyo.Caption, " 36");
  EXPECT_EQ(module.totalScore, 36);
  for (int problem = 1; problem <= 5; ++problem) EXPECT_EQ(Mark(problem), kRight + kRight);
  // The last formula stays on the screen under the results window and the
  // message, and is cleared afterwards.
  EXPECT_TRUE(formulaShownDuringResults);
  EXPECT_TRUE(formulaShownDuringBox);
  ExpectRestartMessageAfterResults(36);
  EXPECT_TRUE(form.TextA2.Text.empty());
  ExpectGameOver();
}

TEST_F(Game, WrongChoicesAndAWrongFormula) {
  Start(kInverse, 12);
  QueueRestOfGame();
  Tick(1);
  form.kotae_Click(kProportional);      // 1: wrong choice
  Tick(2);
  form.kotae_Click(kProportional);      // 2: right at 8 …
  EnterFormula("3");                    //    … wrong formula
  form.kotae_Click(kInverse);           // 3: wrong choice
  Tick(5);
  AnswerRight();                        // 4: 5 points
  form.kotae_Click(kLinear);            // 5: wrong choice ends the game
  EXPECT_EQ((std::vector<std::string>{Mark(1), Mark(2), Mark(3), Mark(4), Mark(5)}),
            (std::vector<std::string>{kWrong, kRight + kWrong, kWrong, kRight + kRight, kWrong}));
  EXPECT_EQ(form.tokutenyo.Caption, " 13");
  ExpectRestartMessageAfterResults(13);
  ExpectGameOver();
}

TEST_F(Game, TimeOutOnProblemThreeGoesOn) {
  Start(kProportional, 2);
  QueueRestOfGame();
  AnswerRight();
  AnswerRight();
  Tick(11);
  EXPECT_EQ(Mark(3), kWrong);
  EXPECT_EQ(form.problemNo, 4);
  AnswerRight();
  AnswerRight();
  EXPECT_EQ(module.totalScore, 40);
  ExpectRestartMessageAfterResults(40);
}

TEST_F(Game, TimeOutOnProblemFiveOpensOnlyTheResults) {
  Start(kProportional, 2);
  QueueRestOfGame();
  for (int problem = 1; problem <= 4; ++problem) AnswerRight();
  Tick(10);
  EXPECT_TRUE(events.empty());
  Tick();
  EXPECT_EQ(Mark(5), kWrong);
  EXPECT_EQ(platform.beeps, 5);
  EXPECT_EQ(events, (std::vector<std::string>{"results 40"}));
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(form.tokuten.Caption, " 0");
  ExpectGameOver();
}

TEST_F(Game, StartDuringTheFormulaEntryAbandonsTheGame) {
  Start(kLinear, 2, 1);
  QueueProblem(kProportional, 2);
  AnswerRight();
  Tick(4);
  form.kotae_Click(kProportional);
  form.TextA1.Text = "2";
  Start(kInverse, 6);
  EXPECT_FALSE(FormulaEntryShown());
  EXPECT_TRUE(form.TextA1.Text.empty());
  for (int problem = 1; problem <= 5; ++problem) EXPECT_EQ(Mark(problem), "");
  EXPECT_EQ(form.tokutenyo.Caption, " 0");
  EXPECT_EQ(form.monbang.Caption, "第 1問");
  EXPECT_EQ(form.tokuten.Caption, "10");
  EXPECT_EQ(form.Timer1.Interval, 2000);
  EXPECT_TRUE(AnyButtonEnabled());
  EXPECT_EQ(windows.resultsModal, 0);
}

TEST_F(Game, StartDuringACountdownBeginsAFullPeriod) {
  Start(kProportional, 2);
  Tick(3);
  const unsigned startsBefore = form.Timer1.Starts;
  QueueProblem(kLinear, 1, 1);
  form.Command1_Click();
  // The interval stays 2000, but the countdown starts over, so the new
  // problem's first point is not cut short by the old phase.
  EXPECT_EQ(form.Timer1.Interval, 2000);
  EXPECT_EQ(form.Timer1.Starts, startsBefore + 1);
  EXPECT_EQ(form.tokuten.Caption, "10");
}

TEST_F(Game, RangeChangedMidGameAppliesFromTheNextProblem) {
  Start(kProportional, -3);
  const auto x = XRow();
  const auto y = YRow();
  form.en_Click(1);
  EXPECT_EQ(XRow(), x);
  EXPECT_EQ(YRow(), y);
  QueueProblem(kInverse, 6);
  AnswerRight();
  EXPECT_EQ(XRow(), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(YRow(), (std::vector<std::string>{" 6", " 3", " 2", " 1.5", " 1.2"}));
}

TEST_F(Game, PointsFrozenByTheRangeButtonAreStillBanked) {
  Start(kInverse, -18);
  Tick(4);
  form.Command3_Click();
  Tick(5);
  EXPECT_EQ(form.tokuten.Caption, " 6");
  QueueProblem(kProportional, 1);
  AnswerRight();
  EXPECT_EQ(form.tokutenyo.Caption, " 6");
  EXPECT_EQ(XRow(), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(form.Timer1.Interval, 2000);
}

TEST_F(Game, NextStartAfterAGameEndPlaysAgain) {
  Start(kProportional, 2);
  QueueRestOfGame();
  for (int problem = 1; problem <= 4; ++problem) AnswerRight();
  form.kotae_Click(kInverse);
  Start(kLinear, 1, 2);
  EXPECT_TRUE(form.kotae[0].Enabled && form.kotae[1].Enabled && form.kotae[2].Enabled);
  EXPECT_EQ(module.totalScore, 40);  // kept until the next game end
  EXPECT_EQ(Mark(5), "");
}

}  // namespace
}  // namespace tavri::test
