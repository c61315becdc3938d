#include "app/core/text_fitting.h"

#include <algorithm>

#include "shared/design_units.h"

namespace tavri {

FontSpec DesignFontOf(const WindowDesign& window, const ControlDesign& control, int dpi,
                      int widthPercent) {
  const bool own = control.points > 0;
  return FontSpec{own ? control.points : window.fontPoints, own ? control.bold : window.fontBold,
                  widthPercent, dpi};
}

int RoomToTheRight(const WindowDesign& window, int row) {
  const ControlDesign& label = window.controls[static_cast<std::size_t>(row)];
  int right = label.container == kOnClientArea
                  ? window.clientWidth
                  : window.controls[static_cast<std::size_t>(label.container)].width;
  for (const ControlDesign& other : window.controls) {
    const bool input = other.kind == ControlKind::Button || other.kind == ControlKind::TextBox;
    if (!input || other.container != label.container || other.left <= label.left) continue;
    const bool sameRow = other.top < label.top + label.height && label.top < other.top + other.height;
    if (sameRow) right = std::min(right, other.left);
  }
  return right - label.left;
}

TextFit FitText(const WindowDesign& window, int row, std::string_view text, int dpi, bool standIn,
                FrontEnd& measure) {
  const ControlDesign& control = window.controls[static_cast<std::size_t>(row)];
  TextFit fit;
  if (control.kind != ControlKind::Label) return fit;
  const auto extentAt = [&](int percent, int wrapWidth) {
    return measure.MeasureText(text, DesignFontOf(window, control, dpi, percent), wrapWidth);
  };

  if (control.autoSize) {
    const int room = TwipsToPixels(RoomToTheRight(window, row), dpi);
    TextExtent extent = extentAt(fit.widthPercent, 0);
    while (standIn && extent.width > room && fit.widthPercent > kNarrowestPercent) {
      fit.widthPercent -= kNarrowingStep;
      extent = extentAt(fit.widthPercent, 0);
    }
    fit.size = PixelSize{extent.width, extent.height};
    return fit;
  }

  if (!standIn || text.empty()) return fit;
  const int width = TwipsToPixels(control.width, dpi);
  const int height = TwipsToPixels(control.height, dpi);
  for (;; fit.widthPercent -= kNarrowingStep) {
    const TextExtent extent = extentAt(fit.widthPercent, width);
    // One line never gets narrower for want of height, and the last line
    // may lose the bottom of its descent, as the design's own labels do.
    const bool fits = extent.width <= width &&
                      (extent.lines <= 1 || extent.height - extent.descent <= height);
    if (fits || fit.widthPercent <= kNarrowestPercent) break;
  }
  return fit;
}

}  // namespace tavri
