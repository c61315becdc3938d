#include "shared/conversions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "shared/utf8.h"

namespace tavri {

std::string SignedText(double value) {
  if (value == 0) value = 0;  // -0 shows as " 0"
  // Fifteen significant digits, as much as a double holds exactly: 6 / 5 is
  // 1.19999999999999996 in binary but reads back as 1.2. printf's rounding
  // is exact in glibc, musl (the browser build) and mingw-w64's own printf
  // alike; only its decimal point follows the locale (Qt adopts the user's),
  // so whatever it puts between the digits is written as a full stop.
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string digits;
  bool inPoint = false;
  for (int i = 0; i < length; ++i) {
    const char c = buffer[i];
    const bool numeral = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '+';
    if (numeral) digits += c;
    else if (!inPoint) digits += '.';
    inPoint = !numeral;
  }
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

  // The digits with the point taken out and the exponent saying where it
  // was: strtod reads that alike in every locale (its decimal point is the
  // locale's, "e" is not) and rounds correctly on every system built for.
  // Too many integer digits overflow to an infinity, too many zeros after
  // the point underflow to zero; the sign survives either way.
  std::size_t point = number.find('.');
  std::string scientific = number;
  if (point != std::string::npos) {
    scientific.erase(point, 1);
    scientific += "e-" + std::to_string(number.size() - point - 1);
  }
  return std::strtod(scientific.c_str(), nullptr);
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
