// The Qt front end with the platform's seams replaced: the countdown ticked
// by hand instead of every two seconds, beeps counted, and message boxes
// seen at the moment each would appear and answered at once from a script
// (OK when the script is empty), or left open on the screen for the test to
// answer.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "app/qt/qt_front_end.h"

namespace tavri::test {

struct ScriptedBoxes {
  struct Shown {
    Message message;
    QPointer<QWidget> owner;
  };
  std::size_t Count(MessageKind kind) const {
    std::size_t count = 0;
    for (const Shown& box : shown) count += box.message.kind == kind;
    return count;
  }

  // Each box is shown as the program shows it and, unless left open, takes
  // the activation before it is answered with a click.
  bool onScreen = false;
  bool leftOpen = false;
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;
  // Runs while the box would be on screen, before it is answered.
  std::function<void(const Message&, QWidget* owner)> onShown;
  // For each box shown on screen and answered: whether it became the
  // active window.
  std::vector<bool> activated;
};

struct ManualCountdown {
  bool running = false;
  int intervalMs = 0;
  // How often it was (re)started: each start begins a full period.
  int starts = 0;
};

class TestFrontEnd : public QtFrontEnd {
 public:
  void StartTimer(int intervalMs) override;
  void StopTimer() override { countdown.running = false; }
  void Beep() override { ++beeps; }
  void ShowBox(WindowId owner, const Message& message) override;

  // One tick, as the running timer would deliver it; false (and no tick)
  // while it is stopped.
  [[nodiscard]] bool Tick();

  ScriptedBoxes boxes;
  ManualCountdown countdown;
  int beeps = 0;
};

}  // namespace tavri::test
