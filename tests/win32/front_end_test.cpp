// The front end's own primitives on the real windows: measuring, boxes
// shown by the system from a posted message, blocked windows that keep
// their look, the characters Enter gives a box, and the quit message the
// program's end leaves for the loop that runs it.
#include <gtest/gtest.h>

#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/win32/wide_text.h"
#include "support/program_fixture.h"

namespace tavri::test {
namespace {

constexpr WindowId kGame = WindowId::Game;
constexpr WindowId kResults = WindowId::Results;

using FrontEndPrimitives = ProgramFixture;

TEST_F(FrontEndPrimitives, MeasuresLinesAsALabelBreaksThem) {
  const FontSpec font{13.5, false, 100, 96};
  const TextExtent empty = front->MeasureText("", font, 0);
  EXPECT_EQ(empty.width, 0);
  EXPECT_EQ(empty.lines, 1);
  EXPECT_GT(empty.descent, 0);
  EXPECT_LT(empty.descent, empty.height);

  const std::string text = "ｘの値 ｘの値 ｘの値 ｘの値";
  const TextExtent line = front->MeasureText(text, font, 0);
  EXPECT_EQ(line.lines, 1);
  EXPECT_EQ(line.height, empty.height);
  const TextExtent wrapped = front->MeasureText(text, font, line.width / 2);
  EXPECT_GE(wrapped.lines, 2);
  EXPECT_LE(wrapped.width, line.width / 2);
  EXPECT_EQ(wrapped.height, wrapped.lines * line.height);

  const TextExtent narrowed = front->MeasureText(text, FontSpec{13.5, false, 70, 96}, 0);
  EXPECT_EQ(narrowed.height, line.height);
  EXPECT_NEAR(narrowed.width, line.width * 0.7, line.width * 0.1);
  EXPECT_NEAR(front->MeasureText(text, FontSpec{13.5, false, 100, 144}, 0).height,
              line.height * 1.5, 1);
}

// The system's own box, over its owner, runs its loop from a posted message:
// the host is not on the stack, so a tick in the box's loop reaches it and
// the screen follows; the answer comes back once the box has closed.
HHOOK boxHook;
HWND openBox;
TestProgram* running;
std::wstring seenTitle, seenPoints;
HWND seenOwner;
bool gameTookInput = true;

void CALLBACK TickThenCancel(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  running->countdown.TickNow();
  seenPoints = running->Text(kGame, game_window::kPoints);
  PostMessageW(openBox, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK WatchBox(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  wchar_t className[16]{};
  const bool box = code == HCBT_ACTIVATE && GetClassNameW(window, className, 16) &&
                   std::wstring(className) == L"#32770";
  if (box && openBox) {
    PostMessageW(window, WM_COMMAND, IDOK, 0);  // the notice, as the game window comes back
  } else if (box) {
    openBox = window;
    seenTitle = win32::WindowText(window);
    seenOwner = GetWindow(window, GW_OWNER);
    gameTookInput = IsWindowEnabled(running->Handle(kGame));
    SetTimer(nullptr, 0, 1, TickThenCancel);
  }
  return CallNextHookEx(boxHook, code, wParam, lParam);
}

TEST_F(FrontEndPrimitives, TheSystemsBoxIsShownFromThePostedMessageAndAnswersAfterwards) {
  StartProgram();
  Click(kGame, game_window::kStartButton);
  ChooseMenu(game_window::kListItem);
  ASSERT_TRUE(countdown.running);
  HWND results = Handle(kResults);
  boxes.system = true;
  running = this;
  boxHook = SetWindowsHookExW(WH_CBT, WatchBox, nullptr, GetCurrentThreadId());
  Click(kResults, results_window::kClearButton);
  ASSERT_TRUE(PumpUntil([this] { return Window(kResults) == nullptr; }));
  UnhookWindowsHookEx(boxHook);
  ASSERT_NE(openBox, nullptr);
  EXPECT_EQ(seenTitle, Wide("確認"));
  EXPECT_EQ(seenOwner, results);
  EXPECT_FALSE(gameTookInput);
  EXPECT_EQ(seenPoints, L" 9");
  EXPECT_TRUE(IsWindowEnabled(Handle(kGame)));
  EXPECT_EQ(ResultsBytes(), "") << "Cancel cleared nothing";
}

// The owners themselves are the plays' (windows.play).
TEST_F(FrontEndPrimitives, ABlockedWindowLooksAsBeforeAndTheOwnedOneHasNoTaskBarButton) {
  StartProgram();
  Click(kGame, game_window::kHelpButton);
  ChooseMenu(game_window::kListItem);
  EXPECT_FALSE(GetWindowLongPtrW(Handle(kResults), GWL_EXSTYLE) & WS_EX_APPWINDOW);

  boxes.hold = true;
  Click(kResults, results_window::kClearButton);
  ASSERT_TRUE(boxes.open());
  for (WindowId window : {kGame, kResults, WindowId::Help})
    EXPECT_FALSE(IsWindowEnabled(Handle(window)));
  // Its controls are not greyed.
  EXPECT_TRUE(Enabled(kGame, game_window::kStartButton));
  EXPECT_TRUE(Enabled(kResults, results_window::kBackButton));
  boxes.hold = false;  // the notice that follows is answered at once
  boxes.Answer(MessageAnswer::Cancel);
  Pump();
  EXPECT_EQ(Window(kResults), nullptr);
  EXPECT_TRUE(IsWindowEnabled(Handle(kGame)));
}

// The characters a box gets, as the keyboard's translation makes them.
HHOOK charHook;
std::vector<std::pair<UINT, WPARAM>> typed;

LRESULT CALLBACK NoteCharacters(int code, WPARAM wParam, LPARAM lParam) {
  const MSG& message = *reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE &&
      (message.message == WM_CHAR || message.message == WM_SYSCHAR))
    typed.emplace_back(message.message, message.wParam);
  return CallNextHookEx(charHook, code, wParam, lParam);
}

TEST_F(FrontEndPrimitives, EnterInABoxIsTheCharacter13AndCtrlEnter10AndAltEnterNone) {
  StartProgram();
  Click(kGame, game_window::kStartButton);
  Click(kGame, game_window::kRelationshipButtons + 0);  // y = -4x: right
  HWND box = Control(kGame, game_window::kCoefficientBox);
  Type(kGame, game_window::kCoefficientBox, L"-4");
  charHook = SetWindowsHookExW(WH_GETMESSAGE, NoteCharacters, nullptr, GetCurrentThreadId());
  PressKey(box, VK_RETURN, {VK_CONTROL});
  PressKey(box, VK_RETURN, {VK_MENU});
  EXPECT_EQ(Text(kGame, game_window::kMarkCells), Wide("○")) << "judged";
  PressKey(box, VK_RETURN, {VK_SHIFT});
  UnhookWindowsHookEx(charHook);
  EXPECT_EQ(typed, (std::vector<std::pair<UINT, WPARAM>>{
                       {WM_CHAR, 10}, {WM_SYSCHAR, 13}, {WM_CHAR, 13}}));
  EXPECT_EQ(Text(kGame, game_window::kMarkCells), Wide("○○"));
}

// The program's end goes as far as the message loop tavri.exe runs.
TEST_F(FrontEndPrimitives, TheCloseBoxLeavesTheQuitMessage) {
  StartProgram();
  SendMessageW(Handle(kGame), WM_CLOSE, 0, 0);
  EXPECT_TRUE(front->ended());
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace tavri::test
