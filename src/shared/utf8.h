// UTF-8, the text form of every caption the core holds, to and from
// characters.
#pragma once

#include <string>
#include <string_view>

namespace tavri {

// Decodes one character at text[pos] and advances pos. Malformed bytes come
// back as U+FFFD one byte at a time, so any input can be walked to its end.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

std::u32string ToUtf32(std::string_view text);
std::string ToUtf8(std::u32string_view text);

}  // namespace tavri
