// The range of the x values: the button steps through the ranges, the menu
// chooses one directly.
#include <gtest/gtest.h>

#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;

const std::array<std::string, kRangeCount> kNames{"－２～２", "１～５", "－５～－１", "ランダム"};

testing::AssertionResult RangeIs(ProgramHarness& h, int range) {
  const WindowState state = h.State();
  if (h.program.session().range != static_cast<XRange>(range))
    return testing::AssertionFailure() << "range " << RangeIndex(h.program.session().range);
  for (int i = 0; i < kRangeCount; ++i)
    if (state.menuChecked[static_cast<std::size_t>(kRangeItems + i)] != (i == range))
      return testing::AssertionFailure() << "menu item " << i << " ticked wrongly";
  const std::string caption = "ｘの値：" + kNames[static_cast<std::size_t>(range)];
  if (h.Text(kRangeButton) != caption)
    return testing::AssertionFailure() << "the button reads " << h.Text(kRangeButton);
  return testing::AssertionSuccess();
}

Message RangeMessage(int range) {
  return Message{MessageKind::RangeChanged, "ｘの値の変更",
                 "ｘの値を " + kNames[static_cast<std::size_t>(range)] + " の範囲にします。" +
                     "\r" + "「スタート」ボタンをクリックしてください。",
                 MessageIcon::Exclamation, MessageButtons::Ok, 0};
}

TEST(RangeChoice, ButtonStepsThroughTheRangesWithAMessageEachTime) {
  ProgramHarness h;
  EXPECT_TRUE(RangeIs(h, 0));
  for (int range : {1, 2, 3, 0}) {
    SCOPED_TRACE(range);
    h.Click(kRangeButton);
    EXPECT_TRUE(RangeIs(h, range));
    ASSERT_FALSE(h.messages.empty());
    EXPECT_EQ(h.messages.back(), (ShowMessage{WindowId::Game, RangeMessage(range)}));
  }
  EXPECT_EQ(h.messages.size(), 4u);
  EXPECT_EQ(h.messages[2].message.text,
            "ｘの値を ランダム の範囲にします。\r「スタート」ボタンをクリックしてください。");
}

TEST(RangeChoice, ButtonStopsTheCountdownButLeavesTheProblemOnTheScreen) {
  ProgramHarness h;
  h.StartGame(Inverse, -12);
  h.Tick(2);
  const auto x = h.XRow();
  const auto y = h.YRow();
  h.ClearLog();
  h.Click(kRangeButton);
  EXPECT_EQ(h.commands.front(), Command{StopCountdown{}});
  EXPECT_EQ(h.XRow(), x);
  EXPECT_EQ(h.YRow(), y);
  EXPECT_EQ(h.program.game().problem()->a, -12);
  EXPECT_TRUE(h.AnyRelationshipUsable());
}

TEST(RangeChoice, MenuShowsTheMessageOnlyOnARealChange) {
  ProgramHarness h;
  h.ChooseMenu(kRangeItems);
  EXPECT_TRUE(RangeIs(h, 0));
  EXPECT_TRUE(h.messages.empty());

  h.ChooseMenu(kRangeItems + 3);
  EXPECT_TRUE(RangeIs(h, 3));
  ASSERT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.messages.back(), (ShowMessage{WindowId::Game, RangeMessage(3)}));
  // The same item again, the menus and separators themselves: nothing.
  for (int item : std::initializer_list<int>{kRangeItems + 3, kRangeMenu, kGameMenu, kGameSeparator1, kGameSeparator2,
                   kHelpMenu, -1, kMenuItemCount})
    h.ChooseMenu(item);
  EXPECT_TRUE(RangeIs(h, 3));
  EXPECT_EQ(h.messages.size(), 1u);
  EXPECT_EQ(h.commands.size(), 1u);

  h.ChooseMenu(kRangeItems + 1);
  EXPECT_TRUE(RangeIs(h, 1));
  EXPECT_EQ(h.messages.back(), (ShowMessage{WindowId::Game, RangeMessage(1)}));
}

TEST(RangeChoice, AChangeMidGameAppliesFromTheNextProblem) {
  ProgramHarness h;
  h.StartGame(Proportional, -3);
  const auto x = h.XRow();
  const auto y = h.YRow();
  h.ChooseMenu(kRangeItems + 1);
  EXPECT_EQ(h.XRow(), x);
  EXPECT_EQ(h.YRow(), y);
  h.QueueProblem(Inverse, 6);
  ASSERT_TRUE(h.AnswerRight());
  EXPECT_EQ(h.XRow(), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(h.YRow(), (std::vector<std::string>{" 6", " 3", " 2", " 1.5", " 1.2"}));
}

}  // namespace
}  // namespace tavri::test
