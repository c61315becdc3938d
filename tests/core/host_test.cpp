// The host's rules, on a front end in memory: the one queue and its boxes,
// what a box or a modal window blocks, the active window and the
// "スタート" notice, where windows open, how labels fit a stand-in face,
// stacking and the first focus.
#include "app/core/host.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/window_order.h"
#include "shared/design_units.h"
#include "support/program_harness.h"

namespace tavri::test {
namespace {

using namespace game_window;
using enum Relationship;
using Kinds = std::vector<MessageKind>;

Kinds BoxKinds(const ProgramHarness& h) {
  Kinds kinds;
  for (const ShowMessage& box : h.messages) kinds.push_back(box.message.kind);
  return kinds;
}

TEST(HostQueue, ABoxHoldsTheQueueAndItsAnswerComesFirst) {
  ProgramHarness h;
  h.StartGame(Proportional, 2);
  h.QueueProblem(Proportional, 2);
  h.ChooseMenu(kListItem);
  h.holdBoxes = true;
  h.Click(WindowId::Results, results_window::kClearButton);
  ASSERT_EQ(h.openBox->message.kind, MessageKind::ConfirmClear);
  h.ClearLog();
  // Problem 1 runs out behind the box: the screen follows at once, the
  // commands wait.
  h.Tick(11);
  EXPECT_EQ(h.Mark(1), kWrong);
  EXPECT_EQ(h.front.Of(WindowId::Game).look.controls[kMarkCells].text, kWrong);
  EXPECT_TRUE(h.commands.empty());
  h.AnswerBox(MessageAnswer::Ok);
  ASSERT_EQ(h.commands.size(), 5u);
  EXPECT_EQ(h.commands, (std::vector<Command>{CloseWindow{WindowId::Results}, Beep{},
                                              StopCountdown{}, StartCountdown{2000},
                                              h.commands.back()}));
  // The results window went; once everything is carried out the game
  // window is active again, which shows the notice.
  EXPECT_EQ(BoxKinds(h), Kinds{MessageKind::StartNotice});
}

TEST(HostInput, ABoxBlocksEveryWindowAndTheGameEndsWindowBlocksTheOthers) {
  ProgramHarness h;
  h.Click(kHelpButton);
  h.Activate(WindowId::Game);  // back to the game window: the notice
  h.holdBoxes = true;
  h.Click(kRangeButton);
  ASSERT_EQ(h.openBox->message.kind, MessageKind::RangeChanged);
  for (WindowId window : {WindowId::Game, WindowId::Help}) {
    EXPECT_FALSE(h.host.TakesInput(window));
    EXPECT_FALSE(h.front.Of(window).takesInput);
  }
  h.Click(kStartButton);
  h.Click(WindowId::Help, help_window::kBackButton);
  h.CloseBox(WindowId::Game);
  h.Activate(WindowId::Help);
  EXPECT_EQ(h.program.game().problemNumber(), 0);
  EXPECT_TRUE(h.front.Of(WindowId::Help).shown);
  EXPECT_EQ(h.host.activeWindow(), WindowId::Game);
  h.AnswerBox();
  EXPECT_TRUE(h.front.Of(WindowId::Help).takesInput);

  h.holdBoxes = false;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  EXPECT_TRUE(h.front.Of(WindowId::Results).takesInput);
  EXPECT_FALSE(h.front.Of(WindowId::Game).takesInput);
  EXPECT_FALSE(h.front.Of(WindowId::Help).takesInput);
  h.Click(WindowId::Help, help_window::kBackButton);
  EXPECT_TRUE(h.front.Of(WindowId::Help).shown);
  h.Click(WindowId::Results, results_window::kBackButton);
  for (WindowId window : {WindowId::Game, WindowId::Help})
    EXPECT_TRUE(h.front.Of(window).takesInput);
}

TEST(HostActivation, TheNoticeComesWithEveryReturnToTheGameWindowAndOnlyThen) {
  ProgramHarness h;
  // Its own box closing, and a report of the window already active: no change.
  h.Activate(WindowId::Game);
  EXPECT_TRUE(h.messages.empty());
  // Back from help by its button, by its close box, and by a click.
  h.Click(kHelpButton);
  EXPECT_EQ(h.host.activeWindow(), WindowId::Help);
  h.Click(WindowId::Help, help_window::kBackButton);
  h.Click(kHelpButton);
  h.CloseBox(WindowId::Help);
  h.Click(kHelpButton);
  h.Activate(WindowId::Game);
  // Back from the list by 戻る and by 初期化 answered Cancel.
  h.ChooseMenu(kListItem);
  h.Click(WindowId::Results, results_window::kBackButton);
  h.ChooseMenu(kListItem);
  h.answers = {MessageAnswer::Cancel};
  h.Click(WindowId::Results, results_window::kClearButton);
  const MessageKind notice = MessageKind::StartNotice;
  EXPECT_EQ(BoxKinds(h),
            (Kinds{notice, notice, notice, notice, MessageKind::ConfirmClear, notice}));
}

TEST(HostActivation, AtAGameEndTheRestartMessageComesBeforeTheNotice) {
  ProgramHarness h;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  EXPECT_EQ(h.host.activeWindow(), WindowId::Results);
  h.Click(WindowId::Results, results_window::kBackButton);
  EXPECT_EQ(BoxKinds(h), (Kinds{MessageKind::Restart, MessageKind::StartNotice}));
  EXPECT_EQ(h.host.activeWindow(), WindowId::Game);
}

TEST(HostWindows, PlacedCentredOwnedAndFocused) {
  ProgramHarness h;
  const RecordingFrontEnd::Window& game = h.front.Of(WindowId::Game);
  const PixelRect gameFrame = h.front.Frame(WindowId::Game);
  EXPECT_EQ(gameFrame.left, (1280 - gameFrame.width) / 2);
  EXPECT_EQ(gameFrame.top, (1024 - gameFrame.height) / 2);
  EXPECT_EQ(game.focus, kStartButton);

  h.ChooseMenu(kListItem);
  const PixelRect results = h.front.Frame(WindowId::Results);
  EXPECT_EQ(h.front.Of(WindowId::Results).setup.owner, WindowId::Game);
  EXPECT_EQ(results.left + results.width / 2, gameFrame.left + gameFrame.width / 2);
  EXPECT_EQ(results.top + results.height / 2, gameFrame.top + gameFrame.height / 2);
  EXPECT_EQ(h.front.Of(WindowId::Results).focus, results_window::kBackButton);

  // On a small screen the help window stays inside the work area.
  h.front.screen = ScreenInfo{PixelRect{100, 50, 600, 420}, 96};
  h.Activate(WindowId::Game);
  h.Click(kHelpButton);
  const PixelRect help = h.front.Frame(WindowId::Help);
  EXPECT_EQ(h.front.Of(WindowId::Help).setup.owner, std::nullopt);
  EXPECT_GE(help.left, 100);
  EXPECT_EQ(help.top, 50);  // taller than the area: the title bar stays on it
  EXPECT_LE(help.left + help.width, 700);
  EXPECT_EQ(h.front.Of(WindowId::Help).focus, help_window::kBackButton);
}

TEST(HostWindows, TheFocusStartsOnTheNameBoxWhenTheScorePlaces) {
  ProgramHarness h;
  ASSERT_TRUE(h.PlayGame({0, 0, 0, 0, 0}));
  EXPECT_EQ(h.front.Of(WindowId::Results).focus, results_window::kNameBox);
}

TEST(HostFitting, AStandInFaceNarrowsWhatWouldNotFitAndNothingElse) {
  for (bool designFace : {true, false}) {
    SCOPED_TRACE(designFace);
    ProgramHarness h;
    h.front.designFace = designFace;
    h.Click(kHelpButton);
    const std::vector<ControlLook>& help = h.front.Of(WindowId::Help).look.controls;
    // The credit line is auto-sized: as wide as its text, up to the button.
    ASSERT_TRUE(help[help_window::kCredit].size);
    const int room = TwipsToPixels(RoomToTheRight(help_window::Design(), help_window::kCredit));
    EXPECT_LE(help[help_window::kCredit].size->width, designFace ? 10000 : room);
    EXPECT_EQ(help[help_window::kBackButton].widthPercent, 100);

    h.StartGame(Proportional, 2);
    const std::vector<ControlLook>& game = h.front.Of(WindowId::Game).look.controls;
    // "10" at 120 points: 160 px wide in the test's metrics, in a box of 177.
    EXPECT_EQ(game[kPoints].widthPercent, 100);
    // The long help texts are too wide for the test's metrics.
    EXPECT_EQ(help[help_window::kHowToPlay].widthPercent < 100, !designFace);
    EXPECT_GE(help[help_window::kHowToPlay].widthPercent, kNarrowestPercent);
  }
}

TEST(HostFitting, AHiddenLabelIsMeasuredOnceItIsShown) {
  ProgramHarness h;
  const std::vector<ControlLook>& game = h.front.Of(WindowId::Game).look.controls;
  // The formula's "x" starts hidden, at its design size; nothing measured it.
  ASSERT_FALSE(game[kFormulaX].visible);
  EXPECT_FALSE(game[kFormulaX].size);
  h.StartGame(Proportional, 2);
  h.Choose(Proportional);
  ASSERT_TRUE(game[kFormulaX].visible);
  ASSERT_TRUE(game[kFormulaX].size);
  EXPECT_GT(game[kFormulaX].size->width, 0);
}

TEST(HostWindows, StackingPutsLabelsBehindLinesBehindTheFrameBehindInputs) {
  const WindowDesign& design = game_window::Design();
  const std::vector<int> order = StackingOrder(design);
  const auto at = [&order](int control) {
    return std::find(order.begin(), order.end(), control) - order.begin();
  };
  EXPECT_LT(at(kXBand), at(kRowSeparator));
  EXPECT_LT(at(kDenominatorX), at(kFractionBar));
  EXPECT_LT(at(kFractionBar), at(kRelationshipFrame));
  EXPECT_LT(at(kRelationshipFrame), at(kStartButton));
  EXPECT_LT(at(kStartButton), at(kRangeButton));  // tab order among inputs
  EXPECT_EQ(order.size(), design.controls.size());
}

}  // namespace
}  // namespace tavri::test
