// A problem: the hidden function and the x values its table shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shared/random_source.h"
#include "shared/x_range.h"

namespace tavri {

// How y depends on x. The value is also the relationship button's place in
// the frame; the last one is part of the window but never asked for.
enum class Relationship : int { Proportional = 0, Inverse = 1, Linear = 2, SquareProportional = 3 };

inline constexpr int kRelationshipCount = 4;

using XRow = std::array<std::int16_t, 5>;

struct Problem {
  Relationship relationship = Relationship::Proportional;
  std::int16_t a = 0;  // never 0
  std::int16_t b = 0;  // y = ax + b only; never 0 there
  XRow xs{};

  // The y value under x as the table shows it (" 6", "-4.5", " 1.2"), or
  // " ×" where y = a / x is not defined.
  std::string YText(std::int16_t x) const;
};

// The x values of the fixed ranges; the random range has none of its own.
const XRow& FixedXRow(XRange range);

// Draws the next problem from one random sequence, always in this order:
// the relationship, the coefficients with their redraws (the sign of an
// inverse proportion last), then, for the random range, the x values.
// `lastB` is kept for a problem that has no b, as the game always did;
// `randomRow` is the random range's row, drawn anew for each of its problems
// and kept until the next.
Problem DrawProblem(RandomSource& random, XRange range, std::int16_t lastB, XRow& randomRow);

}  // namespace tavri
