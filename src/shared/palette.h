// The colours the windows are drawn up in, by name, so that every window's
// table says "kDarkBlue" for the same (0, 0, 192).
#pragma once

#include "shared/window_design.h"

namespace tavri::palette {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kOrange{255, 128, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kLightGreen{128, 255, 128};
inline constexpr Rgb kDarkGreen{0, 128, 0};
inline constexpr Rgb kVeryDarkGreen{0, 64, 0};
inline constexpr Rgb kDarkTeal{0, 64, 64};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kLightBlue{128, 128, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kDarkBlue{0, 0, 192};
inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kMagenta{255, 0, 255};

}  // namespace tavri::palette
