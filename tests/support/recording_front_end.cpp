#include "support/recording_front_end.h"

#include <algorithm>
#include <cmath>

#include "app/core/window_order.h"
#include "shared/design_units.h"
#include "shared/utf8.h"

namespace tavri::test {

ScreenInfo RecordingFrontEnd::Screen(std::optional<WindowId>) { return screen; }

TextExtent RecordingFrontEnd::MeasureText(std::string_view text, const FontSpec& font,
                                          int wrapWidth) {
  ++measures;
  const double full = font.points * 4 / 3 * font.widthPercent / 100.0 * font.dpi / 96.0;
  const int lineHeight = PointsToPixels(font.points, font.dpi);
  TextExtent extent{0, lineHeight, 1, lineHeight / 4};
  double line = 0;
  for (char32_t c : ToUtf32(text)) {
    const double width = c < 0x80 ? full / 2 : full;
    if (wrapWidth > 0 && line > 0 && line + width > wrapWidth) {
      extent.width = std::max(extent.width, static_cast<int>(std::ceil(line)));
      ++extent.lines;
      line = 0;
    }
    line += width;
  }
  extent.width = std::max(extent.width, static_cast<int>(std::ceil(line)));
  extent.height = lineHeight * extent.lines;
  return extent;
}

PixelRect RecordingFrontEnd::Frame(WindowId window) {
  const Window& w = Of(window);
  const WindowDesign& design = *w.setup.design;
  const int menu = design.menus.empty() ? 0 : kMenuBar;
  return PixelRect{w.topLeft.x, w.topLeft.y,
                   TwipsToPixels(design.clientWidth, w.setup.dpi) + 2 * kBorder,
                   TwipsToPixels(design.clientHeight, w.setup.dpi) + 2 * kBorder + kTitleBar + menu};
}

void RecordingFrontEnd::Build(const WindowSetup& setup) {
  Window& w = Of(setup.window);
  w = Window{};
  w.built = true;
  w.setup = setup;
}

void RecordingFrontEnd::Move(WindowId window, PixelPoint topLeft) { Of(window).topLeft = topLeft; }

void RecordingFrontEnd::Draw(WindowId window, const WindowLook& look) {
  ++draws;
  Window& w = Of(window);
  w.look = look;
}

bool RecordingFrontEnd::Usable(WindowId window, int control) {
  const Window& w = Of(window);
  if (control < 0 || static_cast<std::size_t>(control) >= w.look.controls.size()) return false;
  const ControlLook& look = w.look.controls[static_cast<std::size_t>(control)];
  const int container = w.setup.design->controls[static_cast<std::size_t>(control)].container;
  return look.visible && look.enabled && (container == kOnClientArea || Usable(window, container));
}

void RecordingFrontEnd::MoveFocusOn(WindowId window, bool forward) {
  Window& w = Of(window);
  std::vector<int> order = TabOrder(*w.setup.design);
  if (!forward) std::reverse(order.begin(), order.end());
  const auto at = w.focus ? std::find(order.begin(), order.end(), *w.focus) : order.end();
  // From the one after the focus (the first when there is none) round to
  // the focus itself.
  const std::size_t from = at == order.end() ? order.size() - 1 : static_cast<std::size_t>(at - order.begin());
  for (std::size_t step = 1; step <= order.size(); ++step) {
    const int next = order[(from + step) % order.size()];
    if (Usable(window, next)) {
      w.focus = next;
      return;
    }
  }
  w.focus.reset();
}

void RecordingFrontEnd::Show(WindowId window) { Of(window).shown = true; }

void RecordingFrontEnd::Hide(WindowId window) {
  Of(window).shown = false;
  if (active == window) active.reset();
}

void RecordingFrontEnd::Destroy(WindowId window) {
  Of(window) = Window{};
  if (active == window) active.reset();
}

void RecordingFrontEnd::Activate(WindowId window) {
  active = window;
  activations.push_back(window);
}

void RecordingFrontEnd::SetInputEnabled(WindowId window, bool enabled) {
  Of(window).takesInput = enabled;
}

void RecordingFrontEnd::Focus(WindowId window, int control) { Of(window).focus = control; }

void RecordingFrontEnd::StartTimer(int intervalMs) { timerMs = intervalMs; }

void RecordingFrontEnd::ShowBox(WindowId owner, const Message& message) {
  box = std::pair(owner, message);
  boxes.emplace_back(owner, message);
}

}  // namespace tavri::test
