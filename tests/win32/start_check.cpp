// Starts a tavri.exe and waits for its game window, as a person double-
// clicking the program would see it, and for the notice over it; then
// answers the notice and closes the window, as its close box does, and
// waits for the program to end by itself.
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

// The box shown over the game window (a dialog it owns).
HWND WaitForBox(HANDLE process, HWND owner) {
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{owner};
  const DWORD end = GetTickCount() + kPatienceMs;
  while (GetTickCount() < end) {
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& wanted = *reinterpret_cast<Search*>(data);
          wchar_t className[16]{};
          GetClassNameW(window, className, 16);
          if (GetWindow(window, GW_OWNER) != wanted.owner || std::wstring(className) != L"#32770")
            return TRUE;
          wanted.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
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
  } else if (HWND notice = WaitForBox(process.hProcess, game); !notice) {
    std::fprintf(stderr, "no notice appeared over the game window\n");
    TerminateProcess(process.hProcess, 1);
    status = 1;
  } else {
    std::printf("game window shown, the notice over it\n");
    // While the box is open the window takes no input, its close box none.
    PostMessageW(notice, WM_COMMAND, IDOK, 0);
    const DWORD end = GetTickCount() + kPatienceMs;
    while ((IsWindow(notice) || !IsWindowEnabled(game)) && GetTickCount() < end &&
           WaitForSingleObject(process.hProcess, 50) != WAIT_OBJECT_0) {
    }
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
