// Renders the windows of the Win32 front end to PNG files, as they show on
// this screen (under Wine: an X display; LANG=ja_JP.UTF-8 as on a Japanese
// school PC), to look at them against the design:
//
//   render_windows_win32 FOLDER [SUFFIX]
//     FOLDER/windows-game.png          the game window after start-up
//     FOLDER/windows-game-formula.png  a right choice of y = a / x, the
//                                      formula entry with "12" typed
//     FOLDER/windows-results.png       after a first game: the marker, the
//                                      place prompt and the name box
//     FOLDER/windows-help.png          the help window
//   SUFFIX goes before ".png" (e.g. "-150" for a run at 144 dpi).
//
//   render_windows_win32 --screen FILE
//     the whole screen as it is (for tavri.exe itself and its message box)
//
// The problems come from a fixed script, message boxes are answered at once
// and the countdown stands still, so every picture is the same each run.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/win32/windows_front_end.h"
#include "game/core/game_window_design.h"
#include "png_file.h"
#include "results/core/file_system.h"
#include "results/core/results_location.h"
#include "results/core/results_store.h"
#include "results/core/results_window_design.h"
#include "shared/win32/wide_text.h"

namespace {

using namespace tavri;
using namespace tavri::win32;

class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<float> values) : values_(std::move(values)) {}
  void SeedFromClock() override {}
  float Next() override {
    if (values_.empty()) return 0.1f;  // y = -4x
    const float next = values_.front();
    values_.pop_front();
    return next;
  }

 private:
  std::deque<float> values_;
};

class AnswerOk : public MessageBoxes {
 public:
  void Show(HWND, const Message&, Answered answered) override { answered(MessageAnswer::Ok); }
};

class StillCountdown : public Countdown {
 public:
  void Start(int) override {}
  void Stop() override {}
};

void Pump(WindowsFrontEnd& windows, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) windows.Process(message);
    Sleep(10);
  }
}

bool SaveRect(const RECT& rect, const std::string& path) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  const auto* pixels = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    rgb[3 * i] = pixels[4 * i + 2];
    rgb[3 * i + 1] = pixels[4 * i + 1];
    rgb[3 * i + 2] = pixels[4 * i];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const bool ok = tools::PngWriter::Write(path, width, height, rgb);
  std::printf("%s %dx%d\n", path.c_str(), width, height);
  return ok;
}

bool Capture(WindowsFrontEnd& windows, WindowId id, const std::string& path) {
  DesignedWindow* window = windows.Window(id);
  if (!window) return false;
  HWND handle = window->handle();
  SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  RedrawWindow(handle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(windows, 400);
  // The client area and the menu bar: without a window manager on the X
  // display nothing draws the title bar.
  RECT rect;
  GetClientRect(handle, &rect);
  MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (GetMenu(handle) && GetMenuBarInfo(handle, OBJID_MENU, 0, &bar)) rect.top = bar.rcBar.top;
  return SaveRect(rect, path);
}

void Click(WindowsFrontEnd& windows, WindowId id, int control) {
  SendMessageW(windows.Window(id)->Control(control), BM_CLICK, 0, 0);
  Pump(windows, 50);
}

void Type(WindowsFrontEnd& windows, WindowId id, int control, const std::wstring& text) {
  HWND box = windows.Window(id)->Control(control);
  SetFocus(box);
  for (wchar_t c : text) SendMessageW(box, WM_CHAR, c, 0);
  Pump(windows, 50);
}

int RenderWindows(const std::string& folder, const std::string& suffix) {
  wchar_t temporary[MAX_PATH];
  GetTempPathW(MAX_PATH, temporary);
  const std::string resultsFolder =
      JoinPath(Narrow(temporary), "tavri-render-" + std::to_string(GetCurrentProcessId()));
  CreateDirectoryW(Widen(resultsFolder).c_str(), nullptr);
  const std::string resultsFile = JoinPath(resultsFolder, kResultsFileName);
  DeleteFileW(Widen(resultsFile).c_str());

  SystemFileSystem files;
  ResultsStore store(files, resultsFile);
  // Problem 1: y = 12 / x; problems 2 to 5: y = -4x.
  ScriptedRandom random({0.5f, 0.5f, 0.7f});
  Program program(random, store);
  AnswerOk boxes;
  StillCountdown countdown;
  WindowsFrontEnd windows({boxes, countdown, [] {}});
  Host host(program, windows);
  windows.ReportTo(host);
  host.Start();
  Pump(windows, 800);
  const auto name = [&](const char* what) { return JoinPath(folder, std::string(what) + suffix + ".png"); };
  bool ok = Capture(windows, WindowId::Game, name("windows-game"));

  Click(windows, WindowId::Game, game_window::kStartButton);
  Click(windows, WindowId::Game, game_window::kRelationshipButtons + 1);
  Type(windows, WindowId::Game, game_window::kNumeratorBox, L"12");
  ok = Capture(windows, WindowId::Game, name("windows-game-formula")) && ok;

  SendMessageW(windows.Window(WindowId::Game)->Control(game_window::kNumeratorBox), WM_CHAR,
               VK_RETURN, 0);
  for (int problem = 2; problem <= 5; ++problem)
    Click(windows, WindowId::Game, game_window::kRelationshipButtons + 1);
  Pump(windows, 300);
  ok = Capture(windows, WindowId::Results, name("windows-results")) && ok;

  Click(windows, WindowId::Results, results_window::kBackButton);
  Click(windows, WindowId::Game, game_window::kHelpButton);
  ok = Capture(windows, WindowId::Help, name("windows-help")) && ok;

  DeleteFileW(Widen(resultsFile).c_str());
  RemoveDirectoryW(Widen(resultsFolder).c_str());
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (argc == 3 && std::string(argv[1]) == "--screen") {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveRect(screen, argv[2]) ? 0 : 1;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_windows_win32 FOLDER [SUFFIX] | --screen FILE\n");
    return 2;
  }
  return RenderWindows(argv[1], argc > 2 ? argv[2] : "");
}
