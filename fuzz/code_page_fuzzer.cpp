// The code page 932 conversion both ways, fed any bytes.
//
// Bytes to text (what a results file written anywhere may hold):
// - decoding never fails, and what it gives is text the code page holds:
//   with each U+FFFD read as "?", it encodes and decodes back unchanged.
// Text to bytes (any characters, including ones no code page has and
// values that are no characters at all):
// - each character comes back as itself or as "?", never as a look-alike;
// - a name field is exactly ten bytes, never ends in half a double-byte
//   character, and holds as much of the name as fits, then blanks.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "results/core/code_page.h"
#include "results/core/rank_codec.h"
#include "shared/utf8.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view input) {
  std::fprintf(stderr, "%s; input of %zu bytes:", what, input.size());
  for (unsigned char byte : input) std::fprintf(stderr, " %02X", byte);
  std::fprintf(stderr, "\n");
  std::abort();
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Raw 32-bit units, so that surrogates and values past U+10FFFF come too.
std::u32string Units(std::string_view bytes) {
  std::u32string text;
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    char32_t c = 0;
    for (int k = 3; k >= 0; --k) c = (c << 8) | static_cast<unsigned char>(bytes[i + k]);
    text += c;
  }
  return text;
}

void CheckDecoding(std::string_view bytes) {
  std::u32string text = tavri::FromCp932(bytes);
  for (char32_t& c : text)
    if (c == 0xFFFD) c = U'?';
  if (tavri::FromCp932(tavri::ToCp932(text)) != text)
    Fail("decoded text does not survive encoding and decoding again", bytes);
}

void CheckEncoding(std::string_view input, std::u32string_view name) {
  std::u32string storable;  // the name as the code page gives it back
  for (char32_t c : name) {
    std::u32string back = tavri::FromCp932(tavri::ToCp932(std::u32string_view(&c, 1)));
    if (back != std::u32string(1, c) && back != U"?")
      Fail("a character came back as something else than itself or ?", input);
    storable += back;
  }

  const std::string field = tavri::NameField(name);
  if (field.size() != tavri::kNameFieldSize) Fail("name field is not ten bytes", input);
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(field[i]))) {
      if (i + 1 == field.size()) Fail("name field ends in half a character", input);
      ++i;
    }
  }
  std::u32string read = tavri::FromCp932(field);
  if (read.find(U'\uFFFD') != std::u32string::npos) Fail("name field does not decode", input);

  // The field is the longest prefix of the storable name that fits, then
  // blanks; a shorter prefix would waste room the name needed.
  std::size_t kept = 0, bytes = 0;
  while (kept < storable.size()) {
    std::size_t size = tavri::ToCp932(storable.substr(kept, 1)).size();
    if (bytes + size > tavri::kNameFieldSize) break;
    bytes += size;
    ++kept;
  }
  std::u32string expected = storable.substr(0, kept) +
                            std::u32string(tavri::kNameFieldSize - bytes, U' ');
  if (read != expected) Fail("name field is not the name cut to fit", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  CheckDecoding(input);
  if (size == 0) return 0;
  // The first byte says how the rest is read as a name: as UTF-8, or as raw
  // 32-bit units; the decoded bytes themselves are names too.
  std::string_view rest = input.substr(1);
  switch (data[0] % 3) {
    case 0: CheckEncoding(input, tavri::ToUtf32(rest)); break;
    case 1: CheckEncoding(input, Units(rest)); break;
    default: CheckEncoding(input, tavri::FromCp932(rest)); break;
  }
  return 0;
}
