#include "game/core/problem.h"

#include <algorithm>
#include <cmath>

#include "shared/conversions.h"

namespace tavri {

namespace {

constexpr std::array<XRow, 3> kFixedRows{{
    {-2, -1, 0, 1, 2},
    {1, 2, 3, 4, 5},
    {-5, -4, -3, -2, -1},
}};
// Inverse proportions in the random range always use this row: it has no
// zero, where y would be undefined.
constexpr XRow kInverseRandomRow{-4, -1, 3, 5, 6};

// ⌊count·r⌋. The product is taken in double, where it is exact, so a value
// of r just below 1 can never round up to count.
std::int16_t DrawBelow(RandomSource& random, int count) {
  const double drawn = std::floor(static_cast<double>(random.Next()) * count);
  return static_cast<std::int16_t>(std::clamp(drawn, 0.0, count - 1.0));
}

// One of −4 … 4 but never 0: a zero coefficient would make the table
// constant (or b vanish), so it is drawn again.
std::int16_t DrawNonZeroCoefficient(RandomSource& random) {
  std::int16_t value = 0;
  while (value == 0) value = static_cast<std::int16_t>(DrawBelow(random, 9) - 4);
  return value;
}

// Rising by 1 to 3 from a start of −7 … 1: five different values.
void DrawRisingRow(RandomSource& random, XRow& row) {
  row[0] = static_cast<std::int16_t>(DrawBelow(random, 9) - 7);
  for (std::size_t j = 1; j < row.size(); ++j)
    row[j] = static_cast<std::int16_t>(row[j - 1] + 1 + DrawBelow(random, 3));
}

}  // namespace

const XRow& FixedXRow(XRange range) {
  return kFixedRows[static_cast<std::size_t>(std::min(RangeIndex(range), 2))];
}

std::string Problem::YText(std::int16_t x) const {
  switch (relationship) {
    case Relationship::Inverse:
      if (x == 0) return " ×";
      return SignedText(static_cast<double>(a) / x);
    case Relationship::Linear:
      return SignedText(static_cast<std::int16_t>(a * x + b));
    default:
      return SignedText(static_cast<std::int16_t>(a * x));
  }
}

Problem DrawProblem(RandomSource& random, XRange range, std::int16_t lastB, XRow& randomRow) {
  Problem problem;
  problem.b = lastB;
  problem.relationship = static_cast<Relationship>(DrawBelow(random, 3));
  switch (problem.relationship) {
    case Relationship::Inverse:
      problem.a = static_cast<std::int16_t>(6 * (DrawBelow(random, 3) + 1));
      if (random.Next() < 0.5f) problem.a = static_cast<std::int16_t>(-problem.a);
      break;
    case Relationship::Linear:
      problem.a = DrawNonZeroCoefficient(random);
      problem.b = DrawNonZeroCoefficient(random);
      break;
    default:
      problem.a = DrawNonZeroCoefficient(random);
      break;
  }
  if (range == XRange::Random) {
    if (problem.relationship == Relationship::Inverse)
      randomRow = kInverseRandomRow;
    else
      DrawRisingRow(random, randomRow);
    problem.xs = randomRow;
  } else {
    problem.xs = FixedXRow(range);
  }
  return problem;
}

}  // namespace tavri
