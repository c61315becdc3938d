// Code page 932 from tables made at build time from glibc's iconv "CP932"
// (generate_cp932_table.py): the conversion of the browser build, whose C
// library has none. The core's tests check it against glibc (natively) and
// against Windows' own tables (under Wine).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavri::cp932_table {

// The one or two bytes the code page holds the character as, or nothing
// (a look-alike is nothing too).
std::optional<std::string> Encode(char32_t c);

// The character of a single byte, or of a lead byte and its trail byte;
// nothing for anything else.
std::optional<char32_t> Decode(std::string_view unit);

}  // namespace tavri::cp932_table
