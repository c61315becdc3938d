// The help window: made once, hidden by 戻る, destroyed by its close box.
#include <gtest/gtest.h>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "support/program_fixture.h"

namespace tavri::test {
namespace {

constexpr WindowId kGame = WindowId::Game;
constexpr WindowId kHelp = WindowId::Help;

using HelpWindow = ProgramFixture;

TEST_F(HelpWindow, OpensOnceComesBackWithBackAndIsRebuiltAfterItsCloseBox) {
  StartProgram();
  TakeBoxes();
  Click(kGame, game_window::kHelpButton);
  win32::DesignedWindow* help = Window(kHelp);
  ASSERT_NE(help, nullptr);
  HWND first = help->handle();
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), help->Control(help_window::kBackButton));
  EXPECT_EQ(Text(kHelp, help_window::kIntroduction),
            Wide(help_window::Design().controls[help_window::kIntroduction].caption));

  // The menu item opens the same window.
  ChooseMenu(game_window::kHelpItem);
  EXPECT_EQ(Window(kHelp)->handle(), first);

  // 戻る: the game window comes forward (and tells how to begin), the help
  // window is hidden, not destroyed.
  Click(kHelp, help_window::kBackButton);
  ASSERT_TRUE(PumpUntil([this] { return !boxes.shown.empty(); }));
  EXPECT_EQ(TakeBoxes()[0].message.kind, MessageKind::StartNotice);
  ASSERT_NE(Window(kHelp), nullptr);
  EXPECT_FALSE(IsWindowVisible(first));
  EXPECT_EQ(GetActiveWindow(), Window(kGame)->handle());
  Click(kGame, game_window::kHelpButton);
  EXPECT_EQ(Window(kHelp)->handle(), first);
  EXPECT_TRUE(IsWindowVisible(first));

  // The close box destroys it; the next opening builds it again.
  SendMessageW(first, WM_CLOSE, 0, 0);
  EXPECT_EQ(Window(kHelp), nullptr);
  EXPECT_FALSE(IsWindow(first));
  Pump();  // the notice, as the game window comes back
  Click(kGame, game_window::kHelpButton);
  ASSERT_NE(Window(kHelp), nullptr);
  EXPECT_TRUE(IsWindowVisible(Window(kHelp)->handle()));
}

TEST_F(HelpWindow, EnterOnTheFocusedBackButtonHidesIt) {
  StartProgram();
  Click(kGame, game_window::kHelpButton);
  PressKey(Control(kHelp, help_window::kBackButton), VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(Window(kHelp)->handle()));
}

TEST_F(HelpWindow, TheGameGoesOnBesideItAndItWaitsWhileTheResultsAreModal) {
  StartProgram();
  Click(kGame, game_window::kHelpButton);
  Click(kGame, game_window::kStartButton);
  EXPECT_EQ(Text(kGame, game_window::kProblemHeading), Wide("第 1問"));
  for (int problem = 1; problem <= 5; ++problem)
    Click(kGame, game_window::kRelationshipButtons + 1);  // y = -4x taken for inverse
  ASSERT_NE(Window(WindowId::Results), nullptr);
  EXPECT_FALSE(IsWindowEnabled(Window(kHelp)->handle()));
  Click(WindowId::Results, results_window::kBackButton);
  EXPECT_TRUE(IsWindowEnabled(Window(kHelp)->handle()));
}

}  // namespace
}  // namespace tavri::test
