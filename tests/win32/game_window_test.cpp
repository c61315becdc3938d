// The game window under the player's hands: start-up, whole games, the
// countdown's time-out, the range and the way out.
#include <gtest/gtest.h>

#include "game/core/game_window_design.h"
#include "support/program_fixture.h"
#include "shared/win32/message_boxes.h"

namespace tavri::test {
namespace {

using namespace game_window;
constexpr WindowId kGame = WindowId::Game;
constexpr WindowId kResults = WindowId::Results;

class GameWindow : public ProgramFixture {
 protected:
  // Plays problems 2 to 5 wrong: each asks y = -4x, each gets "inverse".
  void LoseTheOtherFour() {
    for (int problem = 2; problem <= 5; ++problem) Click(kGame, kRelationshipButtons + 1);
  }
  HWND GameHandle() { return Window(kGame)->handle(); }
};

TEST_F(GameWindow, StartsCentredWithTheNoticeOverItAndNothingToAnswerYet) {
  StartProgram();
  HWND game = GameHandle();
  EXPECT_TRUE(IsWindowVisible(game));
  EXPECT_EQ(GetActiveWindow(), game);
  wchar_t caption[64];
  GetWindowTextW(game, caption, 64);
  EXPECT_EQ(std::wstring(caption), Wide(Design().caption));

  RECT window, work;
  GetWindowRect(game, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);

  const std::vector<ShownBox> shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, game);
  EXPECT_EQ(shown[0].message.kind, MessageKind::StartNotice);
  EXPECT_EQ(win32::MessageBoxStyle(shown[0].message), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));

  for (int i = 0; i < kRelationshipCount; ++i) EXPECT_FALSE(Enabled(kGame, kRelationshipButtons + i));
  EXPECT_FALSE(Visible(kGame, kRelationshipButtons + 3));
  for (int control : {int(kFormulaY), int(kCoefficientBox), int(kNumeratorBox), int(kConstantBox),
                      int(kFractionBar), int(kEnterHint)})
    EXPECT_FALSE(Visible(kGame, control)) << Design().controls[control].designName;
  EXPECT_EQ(GetFocus(), Control(kGame, kStartButton));
  EXPECT_EQ(Text(kGame, kRangeButton), Wide("ｘの値：－２～２"));
  EXPECT_TRUE(GetMenuState(Window(kGame)->menu(), win32::DesignedWindow::MenuCommandId(kRangeItems),
                           MF_BYCOMMAND) & MF_CHECKED);

  // Closing the notice brings the window back: no second notice.
  Pump();
  EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(GameWindow, AWholeGameWithRightAndWrongAnswersEndsInTheResultsWindowAndTheFile) {
  random.Queue(ProblemDraws(Relationship::Inverse, 12));
  random.Queue(ProblemDraws(Relationship::Linear, 3, -2));
  random.Queue(ProblemDraws(Relationship::Proportional, 2));
  random.Queue(ProblemDraws(Relationship::Proportional, -3));
  random.Queue(ProblemDraws(Relationship::Linear, -1, 4));
  StartProgram();
  TakeBoxes();

  Click(kGame, kStartButton);
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("第 1問"));
  EXPECT_EQ(Text(kGame, kPoints), L"10");
  EXPECT_EQ(Text(kGame, kYCells + 2), Wide(" ×"));  // 12 / 0
  EXPECT_EQ(countdown.starts, std::vector<int>{2000});
  countdown.TickNow();
  countdown.TickNow();
  EXPECT_EQ(Text(kGame, kPoints), L" 8");

  // y = 12 / x: right, then its numerator typed full-width, as the IME gives it.
  Click(kGame, kRelationshipButtons + 1);
  EXPECT_EQ(beeps, 1);
  EXPECT_FALSE(countdown.running);
  EXPECT_EQ(Text(kGame, kMarkCells), Wide("○"));
  EXPECT_EQ(Text(kGame, kTotalButton), L" 8");
  EXPECT_TRUE(Visible(kGame, kNumeratorBox));
  EXPECT_FALSE(Visible(kGame, kCoefficientBox));
  EXPECT_EQ(GetFocus(), Control(kGame, kNumeratorBox));
  Type(kGame, kNumeratorBox, Wide("１２"));
  PressEnterIn(kGame, kNumeratorBox);
  EXPECT_EQ(Text(kGame, kMarkCells), Wide("○○"));
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("第 2問"));
  EXPECT_FALSE(Visible(kGame, kNumeratorBox));
  EXPECT_EQ(Text(kGame, kNumeratorBox), L"");

  // y = 3x - 2: Enter in the box of a moves on to b; a wrong b.
  Click(kGame, kRelationshipButtons + 2);
  EXPECT_EQ(GetFocus(), Control(kGame, kCoefficientBox));
  Type(kGame, kCoefficientBox, L"3");
  PressEnterIn(kGame, kCoefficientBox);
  EXPECT_EQ(GetFocus(), Control(kGame, kConstantBox));
  Type(kGame, kConstantBox, L"2");
  PressEnterIn(kGame, kConstantBox);
  EXPECT_EQ(Text(kGame, kMarkCells + 1), Wide("○×"));

  // y = 2x taken for a linear function: wrong at once.
  Click(kGame, kRelationshipButtons + 2);
  EXPECT_EQ(Text(kGame, kMarkCells + 2), Wide("×"));
  // y = -3x, right.
  Click(kGame, kRelationshipButtons + 0);
  Type(kGame, kCoefficientBox, L"-3");
  PressEnterIn(kGame, kCoefficientBox);
  EXPECT_EQ(Text(kGame, kMarkCells + 3), Wide("○○"));
  EXPECT_EQ(Text(kGame, kTotalButton), L" 28");

  // The fifth: y = -x + 4, wrong. The results window opens modal, over a
  // screen that already shows the fifth mark.
  std::wstring fifthMarkAtOpening;
  static ProgramFixture* self;
  static std::wstring* seen;
  self = this;
  seen = &fifthMarkAtOpening;
  HHOOK hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code == HCBT_CREATEWND && !GetParent(reinterpret_cast<HWND>(wParam)) &&
            self->Window(WindowId::Game) && seen->empty())
          *seen = self->Text(WindowId::Game, kMarkCells + 4) + L"|";
        return CallNextHookEx(nullptr, code, wParam, lParam);
      },
      nullptr, GetCurrentThreadId());
  Click(kGame, kRelationshipButtons + 0);
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(fifthMarkAtOpening, Wide("×") + L"|");
  ASSERT_NE(Window(kResults), nullptr);
  EXPECT_TRUE(IsWindowVisible(Window(kResults)->handle()));
  EXPECT_FALSE(IsWindowEnabled(GameHandle()));
  EXPECT_TRUE(TakeBoxes().empty());
  // The game window takes no clicks meanwhile.
  Click(kGame, kStartButton);
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("第 5問"));

  // The name, typed and stored with Enter: the same bytes as on Linux.
  EXPECT_EQ(GetFocus(), Window(kResults)->Control(results_window::kNameBox));
  Type(kResults, results_window::kNameBox, L"\u30B1\u30F3");  // katakana "ken"
  EXPECT_EQ(Text(kResults, results_window::kNames), L"\u30B1\u30F3");
  PressEnterIn(kResults, results_window::kNameBox);
  EXPECT_EQ(Window(kResults), nullptr);
  EXPECT_TRUE(IsWindowEnabled(GameHandle()));

  const std::string bytes = ResultsBytes();
  ASSERT_EQ(bytes.size(), 75u * 12u);
  EXPECT_EQ(bytes.substr(0, 12), std::string("\x83\x50\x83\x93      \x1C\x00", 12));
  for (std::size_t record = 1; record < 75; ++record)
    EXPECT_EQ(bytes.substr(record * 12, 12), std::string("          \x00\x00", 12)) << record;

  // Then the restart message over the game window, the fifth mark still shown.
  const std::vector<ShownBox> shown = TakeBoxes();
  ASSERT_GE(shown.size(), 1u);
  EXPECT_EQ(shown[0].message.kind, MessageKind::Restart);
  EXPECT_EQ(shown[0].owner, GameHandle());
  EXPECT_EQ(shown[0].fifthMark, Wide("×"));
}

TEST_F(GameWindow, AProblemLeftAloneTimesOutOnTheEleventhTick) {
  StartProgram();
  Click(kGame, kStartButton);
  for (int tick = 1; tick <= 10; ++tick) countdown.TickNow();
  EXPECT_EQ(Text(kGame, kPoints), L" 0");
  EXPECT_EQ(Text(kGame, kMarkCells), L"");
  countdown.TickNow();
  EXPECT_EQ(Text(kGame, kMarkCells), Wide("×"));
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("第 2問"));
  EXPECT_EQ(Text(kGame, kPoints), L"10");
  EXPECT_EQ(countdown.starts.size(), 2u) << "the new problem starts a full period";
}

TEST_F(GameWindow, ATimeOutOnTheFifthOpensTheResultsWithoutARestartMessage) {
  StartProgram();
  Click(kGame, kStartButton);
  for (int problem = 1; problem <= 5; ++problem)
    for (int tick = 1; tick <= 11; ++tick) countdown.TickNow();
  ASSERT_NE(Window(kResults), nullptr);
  EXPECT_FALSE(countdown.running);
  TakeBoxes();
  Click(kResults, results_window::kBackButton);
  EXPECT_EQ(Window(kResults), nullptr);
  for (const ShownBox& box : TakeBoxes()) EXPECT_NE(box.message.kind, MessageKind::Restart);
}

TEST_F(GameWindow, TheRangeButtonAndMenuChooseTheRange) {
  StartProgram();
  TakeBoxes();
  Click(kGame, kRangeButton);
  EXPECT_EQ(Text(kGame, kRangeButton), Wide("ｘの値：１～５"));
  std::vector<ShownBox> shown = TakeBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].message.title, "ｘの値の変更");
  EXPECT_EQ(shown[0].message.text,
            "ｘの値を １～５ の範囲にします。\r「スタート」ボタンをクリックしてください。");
  HMENU menu = Window(kGame)->menu();
  const auto checked = [menu](int item) {
    return (GetMenuState(menu, win32::DesignedWindow::MenuCommandId(item), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
  };
  EXPECT_FALSE(checked(kRangeItems));
  EXPECT_TRUE(checked(kRangeItems + 1));

  ChooseMenu(kRangeItems + 3);
  EXPECT_EQ(Text(kGame, kRangeButton), Wide("ｘの値：ランダム"));
  EXPECT_TRUE(checked(kRangeItems + 3));
  EXPECT_FALSE(checked(kRangeItems + 1));
  // The range in use, chosen again: nothing happens.
  TakeBoxes();
  ChooseMenu(kRangeItems + 3);
  EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(GameWindow, EnterOnTheFocusedStartButtonStartsAndEscapeDoesNothing) {
  StartProgram();
  PressKey(Control(kGame, kStartButton), VK_ESCAPE);
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("番  号"));
  PressKey(Control(kGame, kStartButton), VK_RETURN);
  EXPECT_EQ(Text(kGame, kProblemHeading), Wide("第 1問"));
}

TEST_F(GameWindow, TabWalksTheControlsInTheDesignsOrder) {
  StartProgram();
  Click(kGame, kStartButton);
  // スタート, the range button, 終了, the total, 説明, then the three usable
  // relationship buttons (the fourth is hidden).
  std::vector<HWND> walked;
  HWND at = Control(kGame, kStartButton);
  SetFocus(at);
  for (int step = 0; step < 8; ++step) {
    walked.push_back(GetFocus());
    PressKey(GetFocus(), VK_TAB);
  }
  const std::vector<HWND> expected{
      Control(kGame, kStartButton),  Control(kGame, kRangeButton),
      Control(kGame, kExitButton),   Control(kGame, kTotalButton),
      Control(kGame, kHelpButton),   Control(kGame, kRelationshipButtons),
      Control(kGame, kRelationshipButtons + 1), Control(kGame, kRelationshipButtons + 2)};
  EXPECT_EQ(walked, expected);
}

TEST_F(GameWindow, TheCloseBoxAndExitEndTheProgram) {
  StartProgram();
  SendMessageW(GameHandle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(front->ended());
  EXPECT_EQ(Window(kGame), nullptr);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(GameWindow, StartDuringTheFormulaEntryEmptiesItAndBeginsAgain) {
  random.Queue(ProblemDraws(Relationship::Proportional, 2));
  StartProgram();
  Click(kGame, kStartButton);
  Click(kGame, kRelationshipButtons + 0);
  Type(kGame, kCoefficientBox, L"5");
  Click(kGame, kStartButton);
  EXPECT_FALSE(Visible(kGame, kCoefficientBox));
  EXPECT_EQ(Text(kGame, kCoefficientBox), L"");
  EXPECT_EQ(Text(kGame, kMarkCells), L"");
  EXPECT_EQ(Text(kGame, kTotalButton), L" 0");
  // The box's emptying was the window's, not the player's: a right answer
  // typed next is judged on its own text.
  Click(kGame, kRelationshipButtons + 0);
  Type(kGame, kCoefficientBox, L"-4");
  PressEnterIn(kGame, kCoefficientBox);
  EXPECT_EQ(Text(kGame, kMarkCells), Wide("○○"));
}

}  // namespace
}  // namespace tavri::test
