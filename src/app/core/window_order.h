// The orders a window's controls are taken in: front to back on the screen,
// and through the keyboard's Tab key.
#pragma once

#include <optional>
#include <vector>

#include "shared/window_design.h"
#include "shared/window_state.h"

namespace tavri {

// Rows back to front. Labels lie at the back, lines in front of them (the
// white separators cross the blue bands, the fraction bar crosses the
// denominator), then the frame, then buttons and text boxes in tab order.
// Controls of different containers never overlap as siblings, so one order
// serves every container.
std::vector<int> StackingOrder(const WindowDesign& design);

// The buttons and text boxes that take the focus, in tab order.
std::vector<int> TabOrder(const WindowDesign& design);

// Where the focus goes when a window is first shown: the first control in
// tab order that is shown and usable, inside a frame that is shown too.
std::optional<int> FirstFocus(const WindowDesign& design, const WindowState& state);

// Where the focus goes when the control that has it is hidden or disabled:
// the next control after it in tab order (round to the first) that is
// shown and usable.
std::optional<int> NextFocus(const WindowDesign& design, const WindowState& state, int after);

// Whether the control is shown and usable, and so is the frame it is in.
bool Usable(const WindowDesign& design, const WindowState& state, int control);

}  // namespace tavri
