// The DPI of the screen a window is on. The per-monitor calls exist from
// Windows 10 on; earlier systems give the one system DPI instead.
#pragma once

#include <windows.h>

namespace tavri::win32 {

int DpiOf(HWND window);

// The outer size of a window whose client area is `client` pixels, with or
// without a menu bar, on a screen of `dpi`.
SIZE OuterSize(SIZE client, DWORD style, DWORD exStyle, bool hasMenu, int dpi);

}  // namespace tavri::win32
