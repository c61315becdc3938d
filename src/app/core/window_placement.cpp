#include "app/core/window_placement.h"

#include <algorithm>

namespace tavri {

namespace {

int Inside(int start, int length, int areaStart, int areaLength) {
  // The far edge first, so that the near edge wins when the window is
  // larger than the area.
  start = std::min(start, areaStart + areaLength - length);
  return std::max(start, areaStart);
}

}  // namespace

PixelPoint PlaceWindow(PixelSize size, const std::optional<PixelRect>& around,
                       const PixelRect& workArea) {
  const PixelRect& centre = around.value_or(workArea);
  const int left = centre.left + (centre.width - size.width) / 2;
  const int top = centre.top + (centre.height - size.height) / 2;
  return PixelPoint{Inside(left, size.width, workArea.left, workArea.width),
                    Inside(top, size.height, workArea.top, workArea.height)};
}

}  // namespace tavri
