// One top-level window built from any WindowDesign: every control a real
// window of its standard class (STATIC labels and lines, BUTTON push buttons
// and the group-box frame, EDIT text boxes), placed, coloured and lettered
// as the design says at the DPI it is given. It draws the looks it is given
// and reports what the player does to the host; it decides nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/front_end.h"
#include "app/core/host.h"

namespace tavri::win32 {

class FontCache;

class DesignedWindow {
 public:
  // Builds the window, hidden, with every control and the menu bar; the
  // controls show their design captions until the first Draw. An owned
  // window stays in front of its owner and has no task-bar button.
  DesignedWindow(const WindowSetup& setup, HWND owner, Host& host, FontCache& fonts);
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

  // Shows the look; only what changed is touched, and a text box the player
  // is typing in keeps its caret.
  void Draw(const WindowLook& look);
  // Positions, sizes and fonts for a screen of `dpi`; the window keeps its
  // top-left corner. The next Draw gives every control its look again.
  void Layout(int dpi);
  // Gives the control the focus, now or when the window is next active.
  void Focus(int control);
  // The control that has the focus, or gets it back when the window is
  // next active.
  std::optional<int> FocusedControl() const;
  // Brings the window to the front, active, the focus where it was.
  void Activate();
  // Enables or disables the window itself: its controls keep their look,
  // and the control that had the focus gets it back when the window is
  // next activated.
  void SetInputEnabled(bool enabled);
  // A push button of this window, which Enter clicks when it has the focus.
  bool IsButton(HWND control) const;
  bool IsTextBox(HWND control) const;

 private:
  struct ControlWindow {
    HWND handle = nullptr;
    HBRUSH back = nullptr;  // none: the system's colour
    std::optional<COLORREF> fore;
    std::optional<ControlLook> drawn;  // nothing known: all of it is drawn
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR subclass, DWORD_PTR owner);
  static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR subclass, DWORD_PTR owner);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateMenuBar();
  void CreateControls(const std::vector<int>& stacking);
  // The design's client area at dpi_, and the window's outer size for it.
  SIZE ClientSize() const;
  void SizeWindow();
  // Makes up for a menu bar of more than one line: `outer` is the size the
  // window was given.
  void FitMenuBar(SIZE outer);
  HFONT FontOf(int row, int widthPercent) const;
  RECT PlaceOf(int row) const;
  void SetText(int row, const std::wstring& text);
  // Active and taking input: the focus can be given now.
  bool HasKeyboard() const;
  void SaveFocus();
  void RestoreFocus();
  std::optional<LRESULT> Colour(HDC dc, HWND control, bool textBox);

  WindowId id_;
  const WindowDesign& design_;
  Host& host_;
  FontCache& fonts_;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  HBRUSH background_ = nullptr;
  std::vector<ControlWindow> controls_;
  std::vector<bool> menuChecked_;
  int dpi_ = 96;
  // Set while the window changes a box's text itself, which is no edit.
  bool settingText_ = false;
  // The control that had the focus when the window last lost it, or that
  // gets it when the window is next active.
  HWND savedFocus_ = nullptr;
};

}  // namespace tavri::win32
