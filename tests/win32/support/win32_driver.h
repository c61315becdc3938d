// The plays' driver for the Win32 front end: the real windows in the test's
// own process under Wine, acted on with the messages the player's mouse and
// keyboard would send to the native controls, and read back from them. The
// random source, the countdown's clock, the beep and the results file are
// the test's (TestProgram); boxes are held open, as the system's would be,
// until the play answers them, and the answer goes back the way the
// system's does. A click, a key or a close box reaches nothing while a box
// is open or its window is disabled; a click, a menu or a close box on a
// window that is not the active one is refused, as in every driver.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "support/program_fixture.h"

namespace tavri::test {

class Win32Driver : public scenario::Driver {
 public:
  Win32Driver();
  ~Win32Driver() override;

  void SetResultsFile(const std::optional<std::string>& bytes) override;
  void QueueRandom(const std::vector<float>& draws) override { program_.random.Queue(draws); }
  void Start() override;

  void Click(WindowId window, int control) override;
  void ChooseMenu(int item) override;
  void Type(WindowId window, int control, const std::string& text) override;
  void Press(scenario::Key key) override;
  void TypeIntoFocus(const std::string& text) override;
  void Activate(WindowId window) override;
  void CloseBox(WindowId window) override;
  void Tick() override;
  std::optional<scenario::BoxSeen> OpenBox() override;
  void AnswerBox(MessageAnswer answer) override;

  scenario::WindowSeen Window(WindowId window) override;
  scenario::ControlSeen Control(WindowId window, int control) override;
  std::optional<int> Focus(WindowId window) override;
  bool MenuChecked(int item) override;
  bool TimerRunning() override { return program_.countdown.running; }
  int Beeps() override { return program_.beeps; }
  ScreenInfo Screen() override { return program_.front->Screen(std::nullopt); }
  std::optional<std::string> ResultsFile() override;
  void SnapshotWhenShown(WindowId shown, WindowId window, int control) override;
  std::optional<std::string> Snapshot() override { return snapshot_; }

 private:
  static LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam);
  // Whether the act reaches the window: false while a box is open or the
  // window is disabled. Throws when it is not open, or (`mustBeActive`) not
  // the active one.
  bool Reaches(WindowId window, const char* act, bool mustBeActive);
  // The control and the frame it is in are shown and enabled.
  bool Usable(WindowId window, int control);
  ControlKind KindOf(WindowId window, int control);
  void PressInBox(scenario::Key key);

  TestProgram program_;
  int boxFocus_ = 0;  // the held box's focused button: 0 OK, 1 Cancel
  struct Watch {
    WindowId shown;
    WindowId window;
    int control;
  };
  std::optional<Watch> watch_;
  std::optional<std::string> snapshot_;
  HHOOK hook_ = nullptr;
};

}  // namespace tavri::test
