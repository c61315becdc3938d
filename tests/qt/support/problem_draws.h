// The random draws that make the next problem a chosen one (on a fixed x
// range): the kind first, then the coefficients.
#pragma once

#include <cstdlib>
#include <vector>

namespace tavri::test {

// The middle of the interval that ⌊count·r⌋ maps to `value`.
constexpr float DrawOf(int value, int count) { return (value + 0.5f) / count; }

// y = ax, a in −4 … 4 but not 0.
inline std::vector<float> ProportionalDraws(int a) { return {DrawOf(0, 3), DrawOf(a + 4, 9)}; }

// y = a / x, a in ±6, ±12, ±18.
inline std::vector<float> InverseDraws(int a) {
  return {DrawOf(1, 3), DrawOf(std::abs(a) / 6 - 1, 3), a < 0 ? 0.25f : 0.75f};
}

// y = ax + b, a and b in −4 … 4 but not 0.
inline std::vector<float> LinearDraws(int a, int b) {
  return {DrawOf(2, 3), DrawOf(a + 4, 9), DrawOf(b + 4, 9)};
}

}  // namespace tavri::test
