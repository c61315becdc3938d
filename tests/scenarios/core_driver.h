// The plays' driver for the core: the program run by the host on the front
// end in memory, played as a desktop would deliver the player's acts. A
// click, a key or a close box reaches nothing while a box is open or the
// window takes no input, and nothing on a hidden or disabled control; the
// keys go to the control that has the focus (a box's buttons while a box is
// open). A click, a menu or a close box on a window that is not the active
// one is refused: the desktops differ in whether the activation or the
// click comes first, so a play activates the window first.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "scenarios/driver.h"
#include "support/memory_results.h"
#include "support/recording_front_end.h"
#include "support/scripted_random.h"

namespace tavri::scenario {

class CoreDriver : public Driver {
 public:
  CoreDriver();

  void SetResultsFile(const std::optional<std::string>& bytes) override;
  void QueueRandom(const std::vector<float>& draws) override { random_.Queue(draws); }
  void Start() override { host_.Start(); }

  void Click(WindowId window, int control) override;
  void ChooseMenu(int item) override;
  void Type(WindowId window, int control, const std::string& text) override;
  void Press(Key key) override;
  void TypeIntoFocus(const std::string& text) override;
  void Activate(WindowId window) override;
  void CloseBox(WindowId window) override;
  void Tick() override;
  std::optional<BoxSeen> OpenBox() override;
  void AnswerBox(MessageAnswer answer) override;

  WindowSeen Window(WindowId window) override;
  ControlSeen Control(WindowId window, int control) override;
  std::optional<int> Focus(WindowId window) override;
  bool MenuChecked(int item) override;
  bool TimerRunning() override { return front_.timerMs.has_value(); }
  int Beeps() override { return front_.beeps; }
  ScreenInfo Screen() override { return front_.screen; }
  std::optional<std::string> ResultsFile() override { return results_.Bytes(); }
  void SnapshotWhenShown(WindowId shown, WindowId window, int control) override;
  std::optional<std::string> Snapshot() override;

 private:
  // The front end in memory, with what a desktop adds: the focused button
  // of a box, and a look at the screen the moment a window is shown.
  class Desktop : public test::RecordingFrontEnd {
   public:
    void Show(WindowId window) override;
    void ShowBox(WindowId owner, const Message& message) override;

    struct Watch {
      WindowId shown;
      WindowId window;
      int control;
      std::optional<std::string> seen;
    };
    std::optional<Watch> watch;
    int boxFocus = 0;  // 0: OK, 1: Cancel
  };

  // Where the player's act lands: false when nothing does (a box is open,
  // or the window takes no input). Throws when the window is not open, or
  // (`mustBeActive`) not the active one.
  bool Reaches(WindowId window, const char* act, bool mustBeActive);
  const ControlDesign& DesignOf(WindowId window, int control);
  // A character typed into the box with the focus: reported, then taken in.
  void KeyIntoBox(WindowId window, int control, char32_t character);

  test::ScriptedRandom random_;
  test::MemoryResults results_;
  Program program_{random_, results_.store()};
  Desktop front_;
  Host host_{program_, front_};
};

}  // namespace tavri::scenario
