// Labels drawn in a face that stands in for the design's: the design's
// texts fit their boxes in the design face, and a wider stand-in would run
// them under the control beside them or below their box. Such a label is
// narrowed just enough to fit again (never below half its width, its height
// kept). In the design face nothing is narrowed. Auto-sized labels take the
// size of their text.
#pragma once

#include <optional>
#include <string_view>

#include "app/core/front_end.h"
#include "shared/window_design.h"

namespace tavri {

inline constexpr int kNarrowestPercent = 50;
inline constexpr int kNarrowingStep = 2;

struct TextFit {
  int widthPercent = 100;
  std::optional<PixelSize> size;  // auto-sized labels only
  bool operator==(const TextFit&) const = default;
};

// The design's font of a control (the window's, when it names none).
FontSpec DesignFontOf(const WindowDesign& window, const ControlDesign& control, int dpi,
                      int widthPercent = 100);

// Twips from an auto-sized label's left edge to the nearest button or box
// to its right that shares its row, or to the edge of its container.
int RoomToTheRight(const WindowDesign& window, int row);

// How the label of `row` is drawn with `text`; other controls are drawn as
// designed.
TextFit FitText(const WindowDesign& window, int row, std::string_view text, int dpi, bool standIn,
                FrontEnd& measure);

}  // namespace tavri
