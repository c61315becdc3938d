// The face every window is drawn in, and the Japanese proportional Gothics
// that stand in for it where it is not installed, in the order they are
// tried. Both front ends pick from this one list.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tavri {

inline constexpr std::array<std::string_view, 7> kDesignFaces{
    "ＭＳ Ｐゴシック", "MS PGothic",  // the face itself, by its Japanese and English names
    "Meiryo UI",        "Yu Gothic UI",  // later Windows versions
    "IPAPGothic",       "IPAGothic",     // Debian's fonts-ipafont-gothic
    "Noto Sans CJK JP"};

// The first names of the list that are the face itself; any other is a
// stand-in.
inline constexpr std::size_t kDesignFaceNames = 2;

}  // namespace tavri
