// The game window as designed: one row per control, in twips and points as
// drawn up, plus the menu tree and the tab order. Form1Window builds itself
// from these tables and nothing else.
#pragma once

#include <optional>
#include <span>

#include "game/ui/design_style.h"

namespace tavri::ui {

enum class ControlType { Label, CommandButton, TextBox, Frame, Line };
enum class Align { Left, Centre };

struct ControlDesign {
  const char* name;
  int index;              // -1: not a member of a control array
  ControlType type;
  const char* container;  // nullptr: the client area; else the frame's name
  // Left, Top, Width, Height in twips; for a line its two ends x1, y1, x2, y2.
  int left, top, width, height;
  double points;  // 0: the window's font
  bool bold;
  std::optional<Rgb> back;  // nullopt: the toolkit's colour
  std::optional<Rgb> fore;  // a line's colour is its fore colour
  Align align;
  bool autoSize;
  int lineWidth;  // pixels; lines only
};

struct WindowDesign {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;  // twips
  Rgb back;
  double fontPoints;
  bool fontBold;
};

enum class MenuLevel { Top, Item };

struct MenuDesign {
  MenuLevel level;
  const char* name;
  int index;  // -1: not a member of a menu array
  const char* caption;
  bool separator;
  bool checkable;  // carries a check mark at run time
};

const WindowDesign& Form1WindowDesign();
std::span<const ControlDesign> Form1Controls();
std::span<const MenuDesign> Form1Menus();
// Object names of the controls that take the focus, in tab order.
std::span<const char* const> Form1TabOrder();

}  // namespace tavri::ui
