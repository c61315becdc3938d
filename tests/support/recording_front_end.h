// A front end in memory: it keeps what the host asked of it (windows built,
// where they went, what they show, which is active and which takes input,
// the focus, the timer, boxes) for core tests to read, and measures texts
// with simple metrics of its own. Its focus stays where it was put, also on
// a control that is hidden (the host moves it on), and Tab walks the tab
// order as a desktop's does.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/core/front_end.h"

namespace tavri::test {

class RecordingFrontEnd : public FrontEnd {
 public:
  struct Window {
    bool built = false;
    bool shown = false;
    bool takesInput = true;
    WindowSetup setup{WindowId::Game, nullptr, 96, std::nullopt, {}};
    PixelPoint topLeft;
    WindowLook look;
    std::optional<int> focus;
  };

  // Frames are the client area with a border of 4 pixels and a title bar
  // of 24 (and a menu bar of 20 where there is one).
  static constexpr int kBorder = 4, kTitleBar = 24, kMenuBar = 20;

  ScreenInfo Screen(std::optional<WindowId> window) override;
  bool DesignFaceInstalled() override { return designFace; }
  // Every character is an em (points × 4/3 pixels at 96 dpi) narrowed to
  // widthPercent, ASCII half that; lines are points × 4/3 high with a quarter of it descent,
  // and wrap wherever the width runs out.
  TextExtent MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) override;
  PixelRect Frame(WindowId window) override;
  std::optional<int> FocusedControl(WindowId window) override { return Of(window).focus; }

  void Build(const WindowSetup& setup) override;
  void Move(WindowId window, PixelPoint topLeft) override;
  void Draw(WindowId window, const WindowLook& look) override;
  void Show(WindowId window) override;
  void Hide(WindowId window) override;
  void Destroy(WindowId window) override;
  void Activate(WindowId window) override;
  void SetInputEnabled(WindowId window, bool enabled) override;
  void Focus(WindowId window, int control) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override { timerMs.reset(); }
  void Beep() override { ++beeps; }
  void ShowBox(WindowId owner, const Message& message) override;
  void End() override { ended = true; }

  Window& Of(WindowId window) { return windows[static_cast<std::size_t>(window)]; }

  // Shown and enabled as last drawn, and so is the frame it is in.
  bool Usable(WindowId window, int control);
  // The focus to the next (or previous) usable control in tab order, round
  // the end, as Tab (Shift+Tab) moves it; nowhere when none is usable.
  void MoveFocusOn(WindowId window, bool forward);

  ScreenInfo screen{PixelRect{0, 0, 1280, 1024}, 96};
  bool designFace = true;
  std::array<Window, 3> windows;
  std::optional<WindowId> active;
  std::vector<WindowId> activations;  // every Activate, in order
  std::optional<int> timerMs;         // running, with this interval
  int beeps = 0;
  int draws = 0;
  int measures = 0;
  // The box on screen (at most one), and every box shown.
  std::optional<std::pair<WindowId, Message>> box;
  std::vector<std::pair<WindowId, Message>> boxes;
  bool ended = false;
};

}  // namespace tavri::test
