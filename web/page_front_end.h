// The browser's front end: every primitive handed to the page's script
// (front_end.js), which builds the windows as elements of the page, draws,
// measures, runs the countdown and shows the boxes. What goes over is plain
// data (JSON, sizes already in pixels); nothing of the game or of the run
// is decided on the other side.
#pragma once

#include <string>

#include "app/core/front_end.h"
#include "shared/random_source.h"

namespace tavri {

class PageFrontEnd : public FrontEnd {
 public:
  ScreenInfo Screen(std::optional<WindowId> window) override;
  // The page draws in its own cut of a stand-in face, the same on every
  // device, so its labels are fitted as a stand-in's are.
  bool DesignFaceInstalled() override { return false; }
  TextExtent MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) override;
  PixelRect Frame(WindowId window) override;
  std::optional<int> FocusedControl(WindowId window) override;

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
  void StopTimer() override;
  void Beep() override;
  void ShowBox(WindowId owner, const Message& message) override;
  void End() override;
};

// The page's random source (crypto.getRandomValues, or what a test puts in
// its place).
class PageRandom : public RandomSource {
 public:
  void SeedFromClock() override {}
  float Next() override;
};

// The window's design as the page builds it: pixels at setup.dpi, fonts in
// pixels, colours as CSS, tab and stacking orders. JSON.
std::string SetupJson(const WindowSetup& setup);
std::string LookJson(const WindowLook& look);
std::string MessageJson(WindowId owner, const Message& message);

}  // namespace tavri
