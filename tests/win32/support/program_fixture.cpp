#include "support/program_fixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "results/core/results_location.h"
#include "shared/win32/wide_text.h"

namespace tavri::test {

void TestBoxes::Show(HWND owner, const Message& message, Answered answered) {
  shown.push_back(ShownBox{owner, message});
  if (system) return win32::SystemMessageBoxes().Show(owner, message, std::move(answered));
  answered_ = std::move(answered);
  if (!hold) Answer(MessageAnswer::Ok);
}

void TestBoxes::Answer(MessageAnswer answer) {
  if (Answered answered = std::exchange(answered_, nullptr)) answered(answer);
}

std::wstring Wide(std::string_view utf8) { return win32::Widen(utf8); }

DrawnFont FontOf(HWND control) {
  DrawnFont drawn{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof drawn.font,
             &drawn.font);
  LOGFONTW full = drawn.font;
  full.lfWidth = 0;
  HFONT fullFont = CreateFontIndirectW(&full);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, fullFont);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(fullFont);
  drawn.fullWidth = metrics.tmAveCharWidth;
  return drawn;
}

TestProgram::TestProgram() {
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
  front = std::make_unique<win32::WindowsFrontEnd>(
      win32::FrontEndServices{boxes, countdown, [this] { ++beeps; }});
  host = std::make_unique<Host>(*program, *front);
  front->ReportTo(*host);
}

TestProgram::~TestProgram() {
  front.reset();
  // A quit message left by the program's end must not end the next test's loop.
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  DeleteFileW(win32::Widen(resultsPath).c_str());
  RemoveDirectoryW(folder.c_str());
}

bool TestProgram::Start() {
  host->Start();
  return PumpUntil([this] {
    return Window(WindowId::Game) && GetActiveWindow() == Handle(WindowId::Game) &&
           !boxes.shown.empty();
  });
}

bool TestProgram::PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    Pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Under Wine the X server's answers to what the windows did (the keyboard
// focus moving between them) come in on their own time, and Wine reads
// them only when the thread waits; one read after the next act would undo
// what that act did. Reading a pixel of the screen is a round trip to the
// server that brings them in, and a wait that ends at once has Wine take
// them; what Wine asked of the server while taking them comes in with the
// next round, so pumping ends after two rounds that found nothing.
void TestProgram::Pump() {
  for (int quiet = 0; quiet < 2;) {
    bool found = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      found = true;
      if (message.message == WM_QUIT) continue;
      front->Process(message);
    }
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
    found = MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT) == WAIT_OBJECT_0 || found;
    quiet = found ? 0 : quiet + 1;
  }
}

HWND TestProgram::Handle(WindowId id) {
  win32::DesignedWindow* window = Window(id);
  return window ? window->handle() : nullptr;
}

HWND TestProgram::Control(WindowId id, int control) {
  win32::DesignedWindow* window = Window(id);
  return window ? window->Control(control) : nullptr;
}

std::wstring TestProgram::Text(WindowId id, int control) {
  return win32::WindowText(Control(id, control));
}

bool TestProgram::Enabled(WindowId id, int control) {
  return IsWindowEnabled(Control(id, control)) != 0;
}

void TestProgram::Click(WindowId id, int control) {
  SendMessageW(Control(id, control), BM_CLICK, 0, 0);
  Pump();
}

void TestProgram::Type(WindowId id, int control, const std::wstring& text) {
  HWND box = Control(id, control);
  SetFocus(box);
  for (wchar_t c : text) SendMessageW(box, WM_CHAR, c, 1);
  Pump();
}

void TestProgram::PressKey(HWND focus, WPARAM key, std::initializer_list<BYTE> held) {
  SetFocus(focus);
  SendKey(focus, key, held);
}

void TestProgram::SendKey(HWND target, WPARAM key, std::initializer_list<BYTE> held,
                          bool extended) {
  BYTE keys[256]{};
  GetKeyboardState(keys);
  for (BYTE modifier : held) keys[modifier] = 0x80;
  SetKeyboardState(keys);
  // With Alt held the key is a system key, and says so in its context bit.
  const bool alt = keys[VK_MENU] & 0x80;
  const auto scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
  const LPARAM flags = 1 | scanCode << 16 | (extended ? 1 << 24 : 0) | (alt ? 1 << 29 : 0);
  MSG down{target, alt ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN}, key, flags, 0, {}};
  front->Process(down);
  MSG up{target, alt ? UINT{WM_SYSKEYUP} : UINT{WM_KEYUP}, key,
         flags | static_cast<LPARAM>(0xC0000000), 0, {}};
  if (IsWindow(target)) front->Process(up);
  Pump();
  for (BYTE modifier : held) keys[modifier] = 0;
  SetKeyboardState(keys);
}

void TestProgram::ChooseMenu(int item) {
  SendMessageW(Handle(WindowId::Game), WM_COMMAND,
               MAKEWPARAM(win32::DesignedWindow::MenuCommandId(item), 0), 0);
  Pump();
}

std::string TestProgram::ResultsBytes() const {
  std::ifstream file(std::filesystem::path(win32::Widen(resultsPath)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace tavri::test
