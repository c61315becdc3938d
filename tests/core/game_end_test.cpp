// The end of a game: the results window with the score, then the restart
// message, and a window that waits for the next Start.
#include <gtest/gtest.h>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

const Message kRestart{MessageKind::Restart, "再スタート",
                       "再スタートは，\r「スタート」ボタンをクリック!!",
                       MessageIcon::Exclamation, MessageButtons::Ok, 0};

class GameEnd : public testing::Test {
 protected:
  // What happened at the game end, with whether the formula entry was
  // still on the screen at that moment.
  GameEnd() {
    h.onCommand = [this](const Command& command) {
      if (std::holds_alternative<OpenWindow>(command) ||
          std::holds_alternative<ShowMessage>(command) ||
          std::holds_alternative<CloseWindow>(command))
        events.push_back(Describe(command) + (h.FormulaEntryShown() ? " + formula" : ""));
    };
  }

  // After a game end nothing can be answered until Start.
  testing::AssertionResult GameIsOver() {
    const WindowState before = h.State();
    const std::size_t commandsBefore = h.commands.size();
    for (int i = 0; i < kRelationshipCount; ++i) h.Click(kRelationshipButtons + i);
    h.Tick(12);
    if (h.AnyRelationshipUsable()) return testing::AssertionFailure() << "a button is usable";
    if (h.State() != before) return testing::AssertionFailure() << "the window changed";
    if (h.commands.size() != commandsBefore)
      return testing::AssertionFailure() << "asked for " << Describe(h.commands.back());
    return testing::AssertionSuccess();
  }

  ProgramHarness h;
  std::vector<std::string> events;
};

TEST_F(GameEnd, FiveRightAnswersAddUpThePointsShownAtEachChoice) {
  const std::vector<int> ticks{0, 1, 3, 0, 10};  // 10, 9, 7, 10 and 0 points
  h.StartGame(Proportional, 2);
  h.QueueProblem(Inverse, -6);
  h.QueueProblem(Linear, 3, -1);
  h.QueueProblem(Proportional, -4);
  h.QueueProblem(Inverse, 18);
  for (int waited : ticks) {
    h.Tick(waited);
    ASSERT_TRUE(h.AnswerRight());
  }
  EXPECT_EQ(h.Text(kTotalButton), " 36");
  ASSERT_TRUE(h.program.resultsModal());
  EXPECT_EQ(h.program.results()->score(), 36);
  for (int problem = 1; problem <= 5; ++problem) EXPECT_EQ(h.Mark(problem), kRight + kRight);

  // The last formula stays on the screen under the results window and the
  // message, and goes once the message is answered; the notice of the
  // return to the game window follows.
  h.Click(WindowId::Results, results_window::kBackButton);
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events, (std::vector<std::string>{"OpenWindow{Results, modal} + formula",
                                              "CloseWindow{Results} + formula",
                                              Describe(ShowMessage{WindowId::Game, kRestart}) +
                                                  " + formula",
                                              events.back()}));
  EXPECT_EQ(h.messages.back().message.kind, MessageKind::StartNotice);
  ASSERT_EQ(h.messages.size(), 2u);
  EXPECT_EQ(h.messages[0], (ShowMessage{WindowId::Game, kRestart}));
  EXPECT_FALSE(h.FormulaEntryShown());
  EXPECT_EQ(h.Text(kNumeratorBox), "");
  EXPECT_TRUE(GameIsOver());
}

TEST_F(GameEnd, TheRestartMessageWaitsForTheResultsWindow) {
  h.holdBoxes = true;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  EXPECT_TRUE(h.messages.empty());
  h.Type(WindowId::Results, results_window::kNameBox, "KEN");
  h.Key(WindowId::Results, results_window::kNameBox, kEnterKey);
  ASSERT_TRUE(h.openBox);
  EXPECT_EQ(h.openBox->message.kind, MessageKind::Restart);
  EXPECT_TRUE(h.FormulaEntryShown());
  EXPECT_TRUE(h.program.game().gameEnding());
  h.AnswerBox();
  EXPECT_FALSE(h.FormulaEntryShown());
  EXPECT_FALSE(h.program.game().gameEnding());
}

TEST_F(GameEnd, WrongChoicesAndAWrongFormula) {
  h.StartGameOfFive();
  h.Tick(1);
  h.Choose(Inverse);       // 1: wrong choice
  h.Tick(2);
  h.Choose(Proportional);  // 2: right at 8 …
  h.EnterFormula("3");     //    … wrong formula
  h.Choose(Inverse);       // 3: wrong choice
  h.Tick(5);
  ASSERT_TRUE(h.AnswerRight());  // 4: 5 points
  h.Choose(Linear);              // 5: a wrong choice ends the game
  EXPECT_EQ((std::vector<std::string>{h.Mark(1), h.Mark(2), h.Mark(3), h.Mark(4), h.Mark(5)}),
            (std::vector<std::string>{kWrong, kRight + kWrong, kWrong, kRight + kRight, kWrong}));
  EXPECT_EQ(h.Text(kTotalButton), " 13");
  EXPECT_EQ(h.program.results()->score(), 13);
  EXPECT_FALSE(h.AnyRelationshipUsable());
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_EQ(events.front(), "OpenWindow{Results, modal}");
  EXPECT_EQ(h.Boxes(MessageKind::Restart), 1u);
  EXPECT_TRUE(GameIsOver());
}

TEST_F(GameEnd, AfterATimeOutNothingCanBeAnsweredEither) {
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0}));
  h.Tick(11);
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_TRUE(GameIsOver());
}

TEST_F(GameEnd, NextStartAfterAGameEndPlaysAgain) {
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  h.Click(WindowId::Results, results_window::kBackButton);
  h.StartGame(Linear, 1, 2);
  EXPECT_TRUE(h.AnyRelationshipUsable());
  EXPECT_EQ(h.Mark(5), "");
  EXPECT_EQ(h.Text(kTotalButton), " 0");
  EXPECT_EQ(h.Text(kProblemHeading), "第 1問");
}

}  // namespace
}  // namespace tavri::test
