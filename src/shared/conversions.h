// Number texts as the game writes and reads them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavri {

// A blank before zero and positive values, a minus sign before negative ones;
// whole numbers without a decimal point, fractions with a full stop and no
// trailing zeros (6 / 5 reads " 1.2").
std::string SignedText(double value);

// Plain decimal text of an integer: no blank before the digits ("30", "-4").
std::string PlainText(int value);

// The number at the start of a text (UTF-8). Blanks, tabs and line feeds are
// skipped wherever they stand; full-width digits, signs, full stop and the
// ideographic space typed through a Japanese input method read as their
// half-width twins. No number reads 0. A number too large for a double reads
// as an infinity, which never equals anything the game compares it with.
double TextValue(std::string_view text);

// Rounds to the nearest 16-bit integer, ties to the even one. Empty when the
// value does not fit (or is not a number), so an overflow is never silent.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace tavri
