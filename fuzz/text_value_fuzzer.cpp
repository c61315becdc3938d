// TextValue fed any bytes: half-width, full-width, mixed and broken UTF-8.
//
// Checked for every input:
// - the value is never NaN;
// - it equals a second, independent reading: this file maps the full-width
//   characters to ASCII byte by byte (no shared decoder), keeps only the
//   number's grammar and hands the ASCII to strtod;
// - blanks inserted between two characters (a blank, a tab, a line feed or an
//   ideographic space, chosen by the input) do not change the value.

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shared/conversions.h"
#include "shared/utf8.h"

namespace {

// The UTF-8 bytes of each character read as a half-width one, with its twin.
struct Twin {
  std::string_view utf8;
  char ascii;
};
constexpr Twin kTwins[] = {
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'},
    {"\xEF\xBC\x93", '3'}, {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'},
    {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'}, {"\xEF\xBC\x98", '8'},
    {"\xEF\xBC\x99", '9'},
    {"\xEF\xBC\x8B", '+'},  // U+FF0B full-width plus
    {"\xEF\xBC\x8D", '-'},  // U+FF0D full-width hyphen-minus
    {"\xE2\x88\x92", '-'},  // U+2212 minus sign
    {"\xE3\x83\xBC", '-'},  // U+30FC long vowel mark, the minus key in kana mode
    {"\xEF\xBC\x8E", '.'},  // U+FF0E full-width full stop
    {"\xE3\x80\x80", ' '},  // U+3000 ideographic space
};

// The text's leading number as plain ASCII, or "" when there is none.
std::string ReferenceNumber(std::string_view text) {
  std::string number;
  bool sawSign = false, sawDigit = false, sawPoint = false;
  for (std::size_t pos = 0; pos < text.size();) {
    char c = text[pos];
    if (static_cast<unsigned char>(c) >= 0x80) {
      c = 0;  // any other non-ASCII byte, broken or not, ends the number
      for (const Twin& twin : kTwins) {
        if (text.substr(pos, twin.utf8.size()) == twin.utf8) {
          c = twin.ascii;
          pos += twin.utf8.size() - 1;
          break;
        }
      }
    }
    ++pos;
    if (c == ' ' || c == '\t' || c == '\n') continue;
    if ((c == '+' || c == '-') && !sawSign && !sawDigit && !sawPoint) {
      sawSign = true;
      if (c == '-') number += '-';
    } else if (c >= '0' && c <= '9') {
      sawDigit = true;
      number += c;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
      number += '.';
    } else {
      break;
    }
  }
  return sawDigit ? number : std::string();
}

[[noreturn]] void Fail(const char* what, std::string_view text, double got,
                       double expected) {
  std::fprintf(stderr, "%s: got %.17g, expected %.17g for %zu bytes:", what,
               got, expected, text.size());
  for (unsigned char byte : text) std::fprintf(stderr, " %02X", byte);
  std::fprintf(stderr, "\n");
  std::abort();
}

bool Same(double a, double b) {
  // Magnitudes below the smallest normal double read as zero: TextValue
  // does not bother with subnormals, which no game value comes near.
  if (std::fabs(b) < DBL_MIN && a == 0) return std::signbit(a) == std::signbit(b);
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = tavri::TextValue(text);
  if (std::isnan(value)) Fail("NaN", text, value, 0);

  const std::string number = ReferenceNumber(text);
  const double expected = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
  if (!Same(value, expected)) Fail("reference differs", text, value, expected);

  // Insert a blank at a character boundary picked by the first byte; which
  // blank is picked by the second.
  if (size >= 2) {
    std::string_view rest = text.substr(2);
    std::size_t boundaries = 0;
    for (std::size_t pos = 0; pos < rest.size(); ++boundaries) tavri::NextCodePoint(rest, pos);
    std::size_t wanted = data[0] % (boundaries + 1);
    std::size_t at = 0;
    for (std::size_t i = 0; i < wanted; ++i) tavri::NextCodePoint(rest, at);
    static constexpr std::string_view kBlanks[] = {" ", "\t", "\n", "\xE3\x80\x80"};
    std::string spaced(rest.substr(0, at));
    spaced += kBlanks[data[1] % 4];
    spaced += rest.substr(at);
    const double before = tavri::TextValue(rest);
    const double after = tavri::TextValue(spaced);
    if (!(before == after && std::signbit(before) == std::signbit(after)))
      Fail("a blank changed the value", spaced, after, before);
  }
  return 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_NUMERIC, "C");  // strtod must read a full stop as the point
  return 0;
}
