// What a window shows at a moment: for each control of its design table
// (same order) its text, whether it is shown and whether it can be used;
// for each menu item whether it carries a check mark. The core derives it
// from the game's values; front ends only draw it.
#pragma once

#include <string>
#include <vector>

#include "shared/window_design.h"

namespace tavri {

struct ControlState {
  std::string text;  // UTF-8, always drawn as plain text
  bool visible = true;
  bool enabled = true;
  bool operator==(const ControlState&) const = default;
};

struct WindowState {
  std::vector<ControlState> controls;
  std::vector<bool> menuChecked;
  bool operator==(const WindowState&) const = default;
};

// The window as drawn up: every control shown and enabled with its design
// caption, no menu item ticked.
WindowState DesignState(const WindowDesign& design);

}  // namespace tavri
