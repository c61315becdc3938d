// The baseline of tavri.exe's start-up: a bare Win32 window with one label
// and one button, built as tavri.exe is (static, -municode, -mwindows, the
// same manifest-free start), doing nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW bareClass{};
  bareClass.lpfnWndProc = BareProc;
  bareClass.hInstance = instance;
  bareClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  bareClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  bareClass.lpszClassName = L"BareWindow";
  RegisterClassW(&bareClass);
  HWND window = CreateWindowW(L"BareWindow", L"bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 580, 400, nullptr, nullptr, instance, nullptr);
  CreateWindowW(L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, window, nullptr,
                instance, nullptr);
  CreateWindowW(L"BUTTON", L"button", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 40, 100, 30,
                window, nullptr, instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
