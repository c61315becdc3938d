// Starts a tavri.exe and waits for its game window, as a person double-
// clicking the program would see it; then closes that window, as its close
// box does, and waits for the program to end by itself.
//
//   start_check PATH\TO\tavri.exe      exit code 0 when all went so
#include <windows.h>

#include <cstdio>
#include <string>

#include "game/core/game_window_design.h"
#include "shared/win32/wide_text.h"

namespace {

constexpr DWORD kPatienceMs = 20000;  // Wine's first start of a prefix is slow

HWND WaitForGameWindow(HANDLE process, const std::wstring& title) {
  const DWORD end = GetTickCount() + kPatienceMs;
  while (GetTickCount() < end) {
    if (HWND window = FindWindowW(nullptr, title.c_str()); window && IsWindowVisible(window))
      return window;
    if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;  // ended early
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: start_check PATH\\TO\\tavri.exe\n");
    return 2;
  }
  std::wstring command = L"\"" + tavri::win32::Widen(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "could not start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  const std::wstring title = tavri::win32::Widen(tavri::game_window::Design().caption);
  HWND game = WaitForGameWindow(process.hProcess, title);
  int status = 0;
  if (!game) {
    std::fprintf(stderr, "no game window appeared\n");
    TerminateProcess(process.hProcess, 1);
    status = 1;
  } else {
    std::printf("game window shown\n");
    PostMessageW(game, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
      std::fprintf(stderr, "the program did not end after its close box\n");
      TerminateProcess(process.hProcess, 1);
      status = 1;
    } else {
      DWORD code = 1;
      GetExitCodeProcess(process.hProcess, &code);
      std::printf("ended with %lu\n", code);
      if (code != 0) status = 1;
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}
