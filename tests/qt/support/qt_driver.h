// The plays' driver for Qt: the program as main builds it, on the offscreen
// desktop, played through the real windows. The player's acts are mouse
// clicks and keys sent to the native widgets (found by their rows), or an
// input method's commit for what no key types; boxes are real boxes
// answered with a click; only the random source, the
// countdown's timer, the beep and the results file (in memory) are
// replaced. A click, a menu or a close box needs its window open and, when
// nothing blocks it, active: the desktops differ in whether a click
// activates first, so a play activates the window first.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "scenarios/driver.h"
#include "support/memory_results.h"
#include "support/scripted_random.h"
#include "support/test_front_end.h"

class QWidget;

namespace tavri::scenario {

class QtDriver : public Driver {
 public:
  QtDriver();

  void SetResultsFile(const std::optional<std::string>& bytes) override;
  void QueueRandom(const std::vector<float>& draws) override { random_.Queue(draws); }
  void Start() override;

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
  bool TimerRunning() override { return front_.countdown.running; }
  int Beeps() override { return front_.beeps; }
  ScreenInfo Screen() override { return front_.Screen(std::nullopt); }
  std::optional<std::string> ResultsFile() override { return results_.Bytes(); }
  void SnapshotWhenShown(WindowId shown, WindowId window, int control) override;
  std::optional<std::string> Snapshot() override;

 private:
  // The test front end with boxes left on the screen, and a look at a
  // control the moment a window is shown.
  class Desktop : public test::TestFrontEnd {
   public:
    void Show(WindowId window) override;

    struct Watch {
      WindowId shown;
      WindowId window;
      int control;
      std::optional<std::string> seen;
    };
    std::optional<Watch> watch;
    QtDriver* driver = nullptr;
  };

  // Lets the desktop deliver what the act set going: activations and the
  // reports of them.
  static void Settle();
  // Where the player's act lands: false when a box is open or the window
  // takes no input. Throws when the window is not open or (`mustBeActive`)
  // not the active one.
  bool Reaches(WindowId window, const char* act, bool mustBeActive);
  QWidget* Widget(WindowId window, int control) const;
  std::optional<WindowId> ActiveWindow() const;
  // Keys typed as a keyboard types them, into whatever has the focus.
  void Key(int key, Qt::KeyboardModifiers modifiers, const QString& text);

  test::ScriptedRandom random_;
  test::MemoryResults results_;
  Program program_{random_, results_.store()};
  Desktop front_;
  Host host_{program_, front_};
};

}  // namespace tavri::scenario
