// The units the windows are drawn up in, converted to a screen's pixels.
#pragma once

#include <cmath>

namespace tavri {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;

// Twips to pixels on a screen of `dpi` dots per inch, to the nearest pixel
// (at 96 dpi 15 twips are a pixel and 732 twips are 49).
constexpr int TwipsToPixels(int twips, int dpi = kDesignDpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) /
                          kTwipsPerInch);
}

// A font size in points to pixels of character height (at 96 dpi, 4/3).
inline int PointsToPixels(double points, int dpi = kDesignDpi) {
  return static_cast<int>(std::lround(points * dpi / 72.0));
}

// A length in pixels of the design's 96 dpi screen (line widths, the rows
// of the results lists) on a screen of `dpi`.
constexpr int ScalePixels(int pixels, int dpi = kDesignDpi) {
  return (pixels * dpi + kDesignDpi / 2) / kDesignDpi;
}

}  // namespace tavri
