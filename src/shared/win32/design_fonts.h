// The fonts the windows are drawn in: one Japanese face for every control,
// at the design's point sizes scaled by the screen's DPI.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <tuple>

#include "app/core/front_end.h"

namespace tavri::win32 {

// The faces tried in order (kDesignFaces), as Windows names them.
std::span<const wchar_t* const> JapaneseFaceCandidates();

// The first of `candidates` that is installed, or the first candidate when
// none is (Windows then picks a face for the character set itself).
std::wstring FirstInstalledFace(std::span<const wchar_t* const> candidates);

// The face of every window: looked up once, on first use.
const std::wstring& DesignFace();

// Whether the design face itself is missing and another stands in for it.
bool DesignFaceIsStandIn();

// Keeps one font for each size, weight and DPI, and deletes them all at the
// end: windows ask for the same few sizes again and again.
class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  ~FontCache();

  // Character height -PointsToPixels(points, dpi), the Japanese character
  // set, weight 700 when bold and 400 otherwise; a widthPercent below 100
  // narrows the letters to that share of the face's average character
  // width, keeping their height.
  HFONT Get(const FontSpec& font);

 private:
  std::map<std::tuple<double, bool, int, int>, HFONT> fonts_;
};

}  // namespace tavri::win32
