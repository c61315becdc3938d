// One top-level window built from any WindowDesign: every control a real
// window of its standard class (STATIC labels and lines, BUTTON push buttons
// and the group-box frame, EDIT text boxes), placed, coloured and lettered
// as the design says, scaled to the DPI of the screen the window is on.
// It draws the states it is given and passes on what the player does; it
// decides nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/commands.h"
#include "shared/window_design.h"
#include "shared/window_state.h"

namespace tavri::win32 {

class FontCache;
class DesignedWindow;

// What the player did in a window, in the design's control and menu ids.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnClick(WindowId window, int control) = 0;
  virtual void OnMenuChosen(WindowId window, int item) = 0;
  // A change the player made; the window's own drawing reports none.
  virtual void OnTextEdited(WindowId window, int control, std::string_view text) = 0;
  // A character typed into a text box, before the box sees it.
  virtual void OnKeyPress(WindowId window, int control, int key) = 0;
  virtual void OnCloseBox(WindowId window) = 0;
  // The window became the active window (reported once the activation has
  // settled, and only while it still holds).
  virtual void OnActivated(WindowId window) = 0;
};

class DesignedWindow {
 public:
  // Builds the window, hidden, with every control and the menu bar; the
  // controls show their design captions until the first Draw.
  DesignedWindow(WindowId id, const WindowDesign& design, WindowEvents& events, FontCache& fonts);
  ~DesignedWindow();
  DesignedWindow(const DesignedWindow&) = delete;
  DesignedWindow& operator=(const DesignedWindow&) = delete;

  WindowId id() const { return id_; }
  const WindowDesign& design() const { return design_; }
  HWND handle() const { return window_; }
  // The control of a design row, or the one with that design name.
  HWND Control(int control) const;
  HWND FindControl(std::string_view designName) const;
  // The design row of a control window, or nothing.
  std::optional<int> ControlOf(HWND control) const;
  HMENU menu() const { return menu_; }
  // The command id of a menu item, as WM_COMMAND carries it.
  static int MenuCommandId(int item);
  int dpi() const { return dpi_; }

  // Shows what the state says; only what changed is touched, and a text box
  // the player is typing in keeps its caret.
  void Draw(const WindowState& state);
  // Positions, sizes and fonts for a screen of `dpi`; the window keeps its
  // top-left corner.
  void Layout(int dpi);
  // The focus to a control, or to the first control in tab order that can
  // take it.
  void FocusControl(int control);
  void FocusFirstInTabOrder();
  // A push button of this window, which Enter clicks when it has the focus.
  bool IsButton(HWND control) const;
  bool IsTextBox(HWND control) const;
  // The frame or line of a design row is drawn in this colour.
  static COLORREF ColourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

 private:
  struct ControlWindow {
    HWND handle = nullptr;
    HBRUSH back = nullptr;  // none: the system's colour
    std::optional<COLORREF> fore;
    std::optional<ControlState> drawn;  // nothing drawn yet
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclass, DWORD_PTR owner);
  static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR subclass, DWORD_PTR owner);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateMenuBar();
  void CreateControls();
  std::vector<int> StackingOrder() const;
  HFONT FontOf(const ControlDesign& control, int widthPercent = 100) const;
  int RoomToTheRight(int row) const;
  RECT PlaceOf(int control) const;
  void FitToText(int control);
  void FitFontToBox(int control);
  void SetText(int control, const std::wstring& text);
  void KeepFocusUsable(HWND focusBefore);
  std::optional<LRESULT> Colour(HDC dc, HWND control, bool textBox);

  WindowId id_;
  const WindowDesign& design_;
  WindowEvents& events_;
  FontCache& fonts_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  HBRUSH background_ = nullptr;
  std::vector<ControlWindow> controls_;
  std::vector<bool> menuChecked_;
  int dpi_ = 96;
  // Set while the window changes a box's text itself, which is no edit.
  bool settingText_ = false;
  // The control that had the focus when the window was last deactivated.
  HWND savedFocus_ = nullptr;
};

}  // namespace tavri::win32
