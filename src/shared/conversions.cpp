#include "shared/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "shared/utf8.h"

namespace tavri {

std::string SignedText(double value) {
  if (value == 0) value = 0;  // -0 shows as " 0"
  char buffer[64];
  // Fifteen significant digits, as much as a double holds exactly: 6 / 5 is
  // 1.19999999999999996 in binary but reads back as 1.2.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                              std::chars_format::general, 15);
  std::string digits(buffer, result.ptr);
  return value < 0 || std::signbit(value) ? digits : " " + digits;
}

std::string PlainText(int value) { return std::to_string(value); }

namespace {

// The half-width twin of what a Japanese input method types.
char32_t HalfWidth(char32_t c) {
  if (c >= U'０' && c <= U'９') return U'0' + (c - U'０');
  switch (c) {
    case U'＋': return U'+';
    case U'－':  // U+FF0D full-width hyphen-minus
    case U'−':   // U+2212 minus sign
    case U'ー':  // U+30FC, what the minus key gives in kana mode
      return U'-';
    case U'．': return U'.';
    case U'　': return U' ';  // ideographic space
    default: return c;
  }
}

bool IsSkipped(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; }

}  // namespace

double TextValue(std::string_view text) {
  // Collect sign, digits and one decimal point into a plain ASCII number;
  // everything that is skipped never reaches it.
  std::string number;
  bool sawSign = false, sawDigit = false, sawPoint = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t c = HalfWidth(NextCodePoint(text, pos));
    if (IsSkipped(c)) continue;
    if ((c == U'+' || c == U'-') && !sawSign && !sawDigit && !sawPoint) {
      sawSign = true;
      if (c == U'-') number += '-';
      continue;
    }
    if (c >= U'0' && c <= U'9') {
      sawDigit = true;
      number += static_cast<char>(c);
      continue;
    }
    if (c == U'.' && !sawPoint) {
      sawPoint = true;
      number += '.';
      continue;
    }
    break;
  }
  if (!sawDigit) return 0;

  double value = 0;
  const char* first = number.data();
  const char* last = number.data() + number.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error == std::errc::result_out_of_range) {
    // Too many integer digits overflow, too many zeros after the point
    // underflow; the sign survives either way.
    bool negative = number.front() == '-';
    std::size_t firstNonZero = number.find_first_not_of("-0.");
    std::size_t point = number.find('.');
    bool tiny = firstNonZero == std::string::npos ||
                (point != std::string::npos && firstNonZero > point);
    double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
  }
  (void)end;
  return value;
}

std::optional<std::int16_t> RoundToInt16(double value) {
  if (std::isnan(value)) return std::nullopt;
  // nearbyint follows the default rounding mode: to nearest, ties to even.
  double rounded = std::nearbyint(value);
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace tavri
