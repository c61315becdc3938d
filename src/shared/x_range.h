// The ranges the x values of a problem are taken from.
#pragma once

#include <string_view>

namespace tavri {

// In the order the range button steps through them; the value is also the
// range's number in the results file (its list is records 5r + 1 … 5r + 5).
enum class XRange : int { MinusTwoToTwo = 0, OneToFive = 1, MinusFiveToMinusOne = 2, Random = 3 };

inline constexpr int kRangeCount = 4;

// "－２～２", "１～５", "－５～－１", "ランダム".
std::string_view RangeName(XRange range);

// The range after this one; after ランダム comes －２～２ again.
XRange NextRange(XRange range);

constexpr int RangeIndex(XRange range) { return static_cast<int>(range); }

}  // namespace tavri
