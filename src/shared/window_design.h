// How a window is drawn up, as plain data that every front end builds its
// window from: positions and sizes in twips (1/1440 inch, 15 to a pixel at
// 96 dpi), fonts in points, colours as red, green, blue. Each window's table
// lists its controls in the order of their ids, so control id n is row n.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tavri {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

enum class ControlKind { Label, Button, TextBox, Frame, Line };
enum class Align { Left, Centre, Right };

inline constexpr int kOnClientArea = -1;
inline constexpr int kNoTabStop = -1;

struct ControlDesign {
  // The control's name in the original window design ("kotae(0)",
  // "Command1"): the native control's object name, so that tests and tools
  // can find it. Nothing else uses it.
  const char* designName;
  ControlKind kind;
  // kOnClientArea, or the id of the frame the control sits in (its position
  // is then relative to the frame).
  int container;
  // Left, Top, Width, Height; for a line the two ends x1, y1, x2, y2.
  int left, top, width, height;
  double points;  // 0: the window's font
  bool bold;
  std::optional<Rgb> back;  // none: the toolkit's colour
  std::optional<Rgb> fore;  // none: the toolkit's colour; a line's colour
  Align align;
  // Keeps Left and Top and fits its size to its text; a label that is not
  // auto-sized wraps its text inside its box.
  bool autoSize;
  int lineWidth;  // pixels; lines only
  // Position in the keyboard focus order, or kNoTabStop.
  int tabIndex;
  const char* caption;  // the text before the window first sets it
};

enum class MenuLevel { Top, Item };

struct MenuDesign {
  const char* designName;
  MenuLevel level;
  const char* caption;
  bool separator;
  bool checkable;  // carries a check mark at run time
};

struct WindowDesign {
  const char* designName;
  const char* caption;
  int clientWidth, clientHeight;  // twips
  Rgb back;
  double fontPoints;  // the window's font, for controls without one of their own
  bool fontBold;
  std::span<const ControlDesign> controls;
  std::span<const MenuDesign> menus;  // empty: no menu bar
};

}  // namespace tavri
