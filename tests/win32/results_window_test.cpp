// The results window: opened for looking, its name box, 初期化 with both
// answers, Enter on its focused button.
#include <gtest/gtest.h>

#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/win32/message_boxes.h"
#include "support/program_fixture.h"

namespace tavri::test {
namespace {

using namespace results_window;
constexpr WindowId kGame = WindowId::Game;
constexpr WindowId kResults = WindowId::Results;

class ResultsWindow : public ProgramFixture {
 protected:
  // A game of one right relationship at 10 points and four wrong ones: the
  // results window opens for a score of 10.
  void FinishAGameOfTen() {
    StartProgram();
    Click(kGame, game_window::kStartButton);
    Click(kGame, game_window::kRelationshipButtons + 0);  // y = -4x: right
    Type(kGame, game_window::kCoefficientBox, L"1");
    PressEnterIn(kGame, game_window::kCoefficientBox);
    for (int problem = 2; problem <= 5; ++problem)
      Click(kGame, game_window::kRelationshipButtons + 1);
    ASSERT_NE(Window(kResults), nullptr);
    TakeBoxes();
  }
  void StoreAName(const std::wstring& name) {
    FinishAGameOfTen();
    Type(kResults, kNameBox, name);
    Click(kResults, kBackButton);
    // The restart message, then the notice as the game window comes back.
    ASSERT_TRUE(PumpUntil([this] { return boxes.shown.size() == 2; }));
    TakeBoxes();
  }
};

TEST_F(ResultsWindow, OpenedForLookingItStandsBesideTheGameWithoutANameBox) {
  StartProgram();
  TakeBoxes();
  ChooseMenu(game_window::kListItem);
  win32::DesignedWindow* results = Window(kResults);
  ASSERT_NE(results, nullptr);
  EXPECT_EQ(GetActiveWindow(), results->handle());
  EXPECT_TRUE(IsWindowEnabled(Window(kGame)->handle()));
  EXPECT_FALSE(Visible(kResults, kNameBox));
  EXPECT_FALSE(Visible(kResults, kPrompt));
  EXPECT_EQ(GetFocus(), results->Control(kBackButton));
  wchar_t caption[64];
  GetWindowTextW(results->handle(), caption, 64);
  EXPECT_EQ(std::wstring(caption), Wide(Design().caption));
  // Centred over the game window.
  RECT game, own;
  GetWindowRect(Window(kGame)->handle(), &game);
  GetWindowRect(results->handle(), &own);
  EXPECT_NEAR((own.left + own.right) / 2, (game.left + game.right) / 2, 1);
  EXPECT_NEAR((own.top + own.bottom) / 2, (game.top + game.bottom) / 2, 1);
  // The total button opens the same window again: no second one.
  HWND first = results->handle();
  Click(kGame, game_window::kTotalButton);
  EXPECT_EQ(Window(kResults)->handle(), first);
}

TEST_F(ResultsWindow, ANameIsShownAsPlainTextAsItIsTyped) {
  FinishAGameOfTen();
  EXPECT_EQ(Text(kResults, kNames), Wide("ここです！"));
  EXPECT_TRUE(Visible(kResults, kPrompt));
  Type(kResults, kNameBox, L"<b>Ken");
  EXPECT_EQ(Text(kResults, kNames), L"<b>Ken");
  EXPECT_EQ(Text(kResults, kNameBox), L"<b>Ken");
}

TEST_F(ResultsWindow, EnterOnTheFocusedBackButtonStoresAndCloses) {
  FinishAGameOfTen();
  Type(kResults, kNameBox, L"Aki");
  PressKey(Control(kResults, kBackButton), VK_ESCAPE);
  ASSERT_NE(Window(kResults), nullptr) << "Escape closed the window";
  PressKey(Control(kResults, kBackButton), VK_RETURN);
  EXPECT_EQ(Window(kResults), nullptr);
  EXPECT_EQ(ResultsBytes().substr(0, 12), std::string("Aki       \x0A\x00", 12));
}

TEST_F(ResultsWindow, ClearingAskedAndAnsweredOkEmptiesTheStoredLists) {
  StoreAName(L"Aki");
  ChooseMenu(game_window::kListItem);
  EXPECT_EQ(Text(kResults, kNames), L"Aki");
  HWND results = Window(kResults)->handle();
  Click(kResults, kClearButton);
  // The question, then the notice of the game window coming back.
  const std::vector<ShownBox> shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].message.kind, MessageKind::ConfirmClear);
  EXPECT_EQ(shown[1].message.kind, MessageKind::StartNotice);
  EXPECT_EQ(shown[0].owner, results);
  EXPECT_EQ(win32::MessageBoxStyle(shown[0].message),
            static_cast<UINT>(MB_ICONQUESTION | MB_OKCANCEL | MB_DEFBUTTON2));
  EXPECT_EQ(Window(kResults), nullptr);
  const std::string bytes = ResultsBytes();
  for (std::size_t record = 0; record < 20; ++record)
    EXPECT_EQ(bytes.substr(record * 12, 12), std::string("          \x00\x00", 12)) << record;
}

TEST_F(ResultsWindow, ClearingAnsweredCancelKeepsTheListsAndClosesTheWindow) {
  StoreAName(L"Aki");
  const std::string before = ResultsBytes();
  ChooseMenu(game_window::kListItem);
  HWND results = Window(kResults)->handle();
  boxes.answers.push_back(MessageAnswer::Cancel);
  Click(kResults, kClearButton);
  const std::vector<ShownBox> shown = TakeBoxes();
  ASSERT_GE(shown.size(), 1u);
  EXPECT_EQ(shown[0].message.kind, MessageKind::ConfirmClear);
  EXPECT_EQ(shown[0].owner, results);
  EXPECT_EQ(Window(kResults), nullptr);
  EXPECT_EQ(ResultsBytes(), before);
}

}  // namespace
}  // namespace tavri::test
