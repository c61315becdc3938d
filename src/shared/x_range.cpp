#include "shared/x_range.h"

#include <array>

namespace tavri {

std::string_view RangeName(XRange range) {
  static constexpr std::array<std::string_view, kRangeCount> kNames{"－２～２", "１～５",
                                                                     "－５～－１", "ランダム"};
  return kNames[static_cast<std::size_t>(RangeIndex(range))];
}

XRange NextRange(XRange range) {
  return static_cast<XRange>((RangeIndex(range) + 1) % kRangeCount);
}

}  // namespace tavri
