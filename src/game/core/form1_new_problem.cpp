// NewProblem: draws the hidden function of the next problem and puts its
// correspondence table on the window.
#include <algorithm>
#include <cmath>

#include "game/core/form1.h"

namespace tavri {

namespace {

constexpr int kCountdownInterval = 2000;  // milliseconds per point
constexpr std::int16_t kStartPoints = 10;
constexpr int kRandomRange = 3;
// Inverse proportions in the random range always use this row: it has no
// zero, where y would be undefined.
constexpr std::array<std::int16_t, 5> kInverseRandomRow{-4, -1, 3, 5, 6};

}  // namespace

void Form1::NewProblem() {
  for (auto& button : kotae) button.Enabled = true;

  points = kStartPoints;
  // The last two characters, so the big label shows "10" without the sign
  // blank that the ticks' " 9" … " 0" carry.
  const std::string shown = SignedText(points);
  tokuten.Caption = shown.substr(shown.size() - 2);
  // A full period also when Start interrupts a running countdown: the
  // first point of a new problem is never cut short.
  Timer1.Start(kCountdownInterval);

  ++problemNo;
  monbang.Caption = "第" + SignedText(problemNo) + "問";

  // Always in this order, so that one random sequence makes the same
  // problems: kind, coefficients with their redraws (the sign of an inverse
  // proportion last), then the random row.
  kind = DrawBelow(3);
  switch (kind) {
    case kInverse:
      coefA = static_cast<std::int16_t>(6 * (DrawBelow(3) + 1));
      if (platform_.Rnd() < 0.5f) coefA = static_cast<std::int16_t>(-coefA);
      break;
    case kLinear:
      coefA = DrawNonZeroCoefficient();
      coefB = DrawNonZeroCoefficient();
      break;
    default:
      coefA = DrawNonZeroCoefficient();
      break;
  }
  if (module_.xRange == kRandomRange) FillRandomRow();

  const auto& row = xValues[static_cast<std::size_t>(module_.xRange)];
  for (std::size_t d = 0; d < row.size(); ++d) {
    mondai[d].Caption = SignedText(row[d]);
    mondai[d + 5].Caption = YText(row[d]);
  }
}

// ⌊count·r⌋. The product is taken in double, where it is exact, so a value of
// r just below 1 can never round up to count.
std::int16_t Form1::DrawBelow(int count) {
  double drawn = std::floor(static_cast<double>(platform_.Rnd()) * count);
  return static_cast<std::int16_t>(std::clamp(drawn, 0.0, count - 1.0));
}

// One of −4 … 4 but never 0: a zero coefficient would make the table
// constant (or b vanish), so it is drawn again.
std::int16_t Form1::DrawNonZeroCoefficient() {
  std::int16_t value = 0;
  while (value == 0) value = static_cast<std::int16_t>(DrawBelow(9) - 4);
  return value;
}

void Form1::FillRandomRow() {
  auto& row = xValues[kRandomRange];
  if (kind == kInverse) {
    row = kInverseRandomRow;
    return;
  }
  // Rising by 1 to 3 from a start of −7 … 1: five different values.
  row[0] = static_cast<std::int16_t>(DrawBelow(9) - 7);
  for (std::size_t j = 1; j < row.size(); ++j)
    row[j] = static_cast<std::int16_t>(row[j - 1] + 1 + DrawBelow(3));
}

std::string Form1::YText(std::int16_t x) const {
  switch (kind) {
    case kInverse:
      if (x == 0) return " ×";
      return SignedText(static_cast<double>(coefA) / x);
    case kLinear:
      return SignedText(static_cast<std::int16_t>(coefA * x + coefB));
    default:
      return SignedText(static_cast<std::int16_t>(coefA * x));
  }
}

}  // namespace tavri
