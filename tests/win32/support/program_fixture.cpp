#include "support/program_fixture.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/core/game_window_design.h"
#include "results/core/results_location.h"
#include "shared/win32/wide_text.h"

namespace tavri::test {

MessageAnswer AnsweringBoxes::Show(HWND owner, const Message& message) {
  shown.push_back(ShownBox{owner, message, fifthMark ? fifthMark() : std::wstring()});
  if (answers.empty()) return MessageAnswer::Ok;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::wstring Wide(std::string_view utf8) { return win32::Widen(utf8); }

ProgramFixture::ProgramFixture() {
  // Problems from a script; an empty script gives y = -4x.
  random.whenUsedUp = 0.1f;
  wchar_t temporary[MAX_PATH];
  GetTempPathW(MAX_PATH, temporary);
  static int counter = 0;
  folder = std::wstring(temporary) + L"tavri-win32-test-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++counter);
  CreateDirectoryW(folder.c_str(), nullptr);
  resultsPath = JoinPath(win32::Narrow(folder), kResultsFileName);
  store = std::make_unique<ResultsStore>(files, resultsPath);
  program = std::make_unique<Program>(random, *store);
  windows = std::make_unique<win32::ProgramWindows>(
      *program, win32::FrontEndServices{boxes, countdown, [this] { ++beeps; }});
  boxes.fifthMark = [this] {
    return Window(WindowId::Game) ? Text(WindowId::Game, game_window::kMarkCells + 4)
                                  : std::wstring();
  };
}

ProgramFixture::~ProgramFixture() {
  windows.reset();
  // A quit message left by the program's end must not end the next test's loop.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  DeleteFileW(win32::Widen(resultsPath).c_str());
  RemoveDirectoryW(folder.c_str());
}

void ProgramFixture::StartProgram() {
  windows->Start();
  ASSERT_TRUE(PumpUntil([this] { return !boxes.shown.empty(); })) << "no start notice";
}

bool ProgramFixture::PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      windows->Process(message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void ProgramFixture::Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    windows->Process(message);
  }
}

HWND ProgramFixture::Control(WindowId id, int control) {
  win32::DesignedWindow* window = Window(id);
  return window ? window->Control(control) : nullptr;
}

std::wstring ProgramFixture::Text(WindowId id, int control) {
  return win32::WindowText(Control(id, control));
}

bool ProgramFixture::Visible(WindowId id, int control) {
  return IsWindowVisible(Control(id, control)) != 0;
}

bool ProgramFixture::Enabled(WindowId id, int control) {
  return IsWindowEnabled(Control(id, control)) != 0;
}

void ProgramFixture::Click(WindowId id, int control) {
  SendMessageW(Control(id, control), BM_CLICK, 0, 0);
  Pump();
}

void ProgramFixture::Type(WindowId id, int control, const std::wstring& text) {
  HWND box = Control(id, control);
  SetFocus(box);
  for (wchar_t c : text) SendMessageW(box, WM_CHAR, c, 1);
  Pump();
}

void ProgramFixture::PressEnterIn(WindowId id, int control) {
  SendMessageW(Control(id, control), WM_CHAR, VK_RETURN, 1);
  Pump();
}

void ProgramFixture::PressKey(HWND focus, WPARAM key) {
  SetFocus(focus);
  MSG down{focus, WM_KEYDOWN, key, 1, 0, {}};
  windows->Process(down);
  MSG up{focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001), 0, {}};
  if (IsWindow(focus)) windows->Process(up);
  Pump();
}

void ProgramFixture::ChooseMenu(int item) {
  SendMessageW(Window(WindowId::Game)->handle(), WM_COMMAND,
               MAKEWPARAM(win32::DesignedWindow::MenuCommandId(item), 0), 0);
  Pump();
}

std::vector<ShownBox> ProgramFixture::TakeBoxes() { return std::exchange(boxes.shown, {}); }

std::string ProgramFixture::ResultsBytes() const {
  std::ifstream file(std::filesystem::path(win32::Widen(resultsPath)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace tavri::test
