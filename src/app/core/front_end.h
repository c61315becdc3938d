// What a front end does for the host: a handful of primitives on one
// platform (Qt, Win32, the browser), with no rule of the game or of the run
// inside. The host decides what, when and where; the front end builds,
// draws, shows, measures and reports. docs/front-ends.md is the contract.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/commands.h"
#include "shared/message.h"
#include "shared/window_design.h"

namespace tavri {

// Screen pixels (of the screen's own DPI).
struct PixelPoint {
  int x = 0, y = 0;
  bool operator==(const PixelPoint&) const = default;
};
struct PixelSize {
  int width = 0, height = 0;
  bool operator==(const PixelSize&) const = default;
};
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// The part of a screen that windows may cover (without the task bar) and
// its dots per inch.
struct ScreenInfo {
  PixelRect workArea;
  int dpi = 96;
};

// A font of the design's face (or the stand-in the front end found for it).
struct FontSpec {
  double points = 0;
  bool bold = false;
  // The glyphs narrowed to this share of their width, their height kept.
  int widthPercent = 100;
  int dpi = 96;
  bool operator==(const FontSpec&) const = default;
};

// What a text takes in a font: the widest line and the height of all lines,
// in pixels; how many lines; and the descent of the last line (the part
// below the baseline, which a box may cut off).
struct TextExtent {
  int width = 0;
  int height = 0;
  int lines = 1;
  int descent = 0;
};

// How a window is built. Its controls are the rows of its design, placed in
// pixels of `dpi`; siblings overlap in `stacking` order, back to front.
struct WindowSetup {
  WindowId window = WindowId::Game;
  const WindowDesign* design = nullptr;
  int dpi = 96;
  // Stays in front of its owner and has no task-bar button of its own.
  std::optional<WindowId> owner;
  std::vector<int> stacking;
};

// One control as it is to be drawn.
struct ControlLook {
  std::string text;  // UTF-8, always drawn as plain text
  bool visible = true;
  bool enabled = true;
  // Labels: the font narrowed to this share of its width.
  int widthPercent = 100;
  // Auto-sized labels: their size now, from the top-left corner of the
  // design (which never moves).
  std::optional<PixelSize> size;
  bool operator==(const ControlLook&) const = default;
};

struct WindowLook {
  std::vector<ControlLook> controls;  // in the order of the design's rows
  std::vector<bool> menuChecked;      // in the order of the design's menu rows
  bool operator==(const WindowLook&) const = default;
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // --- What the platform tells -----------------------------------------------
  // The screen a window is on (nothing: where the first window will open).
  virtual ScreenInfo Screen(std::optional<WindowId> window) = 0;
  // Whether the design's own face is installed, rather than a stand-in.
  virtual bool DesignFaceInstalled() = 0;
  // One line (wrapWidth 0) or wrapped at wrapWidth pixels, as a label of
  // the platform would break it.
  virtual TextExtent MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) = 0;
  // The window's outer rectangle: title bar, borders and menu bar included.
  virtual PixelRect Frame(WindowId window) = 0;
  // The control of the window that has (or, while another window is
  // active, will get back) the keyboard focus.
  virtual std::optional<int> FocusedControl(WindowId window) = 0;

  // --- Windows ---------------------------------------------------------------
  // Builds the native window, hidden, with every control of its design.
  virtual void Build(const WindowSetup& setup) = 0;
  // Moves the outer frame's top-left corner.
  virtual void Move(WindowId window, PixelPoint topLeft) = 0;
  // Shows the look; a text box is rewritten only where its text differs,
  // so a box being typed in keeps its caret.
  virtual void Draw(WindowId window, const WindowLook& look) = 0;
  virtual void Show(WindowId window) = 0;
  virtual void Hide(WindowId window) = 0;
  // Destroys the native window without reporting anything of it.
  virtual void Destroy(WindowId window) = 0;
  // Brings the window to the front and makes it the active window; the
  // control that had the focus when it was last active gets it back.
  virtual void Activate(WindowId window) = 0;
  // A window that takes no input still looks as it did: clicks, keys, the
  // menu and the close box do nothing, and it cannot be activated.
  virtual void SetInputEnabled(WindowId window, bool enabled) = 0;
  virtual void Focus(WindowId window, int control) = 0;

  // --- The rest of the platform ----------------------------------------------
  // Ticks every intervalMs from now on, a full period first, until stopped.
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  virtual void Beep() = 0;
  // Shows the box over `owner` and returns at once; the answer comes back
  // through Host::OnBoxAnswered. Never more than one at a time.
  virtual void ShowBox(WindowId owner, const Message& message) = 0;
  // Every window goes at once; the platform's event loop ends.
  virtual void End() = 0;
};

}  // namespace tavri
