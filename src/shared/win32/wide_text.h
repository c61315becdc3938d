// The core's texts are UTF-8; Windows speaks UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavri::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A caption for a button, a frame or a menu item, which would otherwise take
// "&" as the mark of an access key: every text is plain text.
std::wstring WithoutAccessKeys(std::wstring_view text);

// The text a window shows now.
std::wstring WindowText(HWND window);

}  // namespace tavri::win32
