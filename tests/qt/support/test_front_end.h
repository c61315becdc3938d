// The Qt front end with the platform's seams replaced: the countdown ticked
// by hand instead of every two seconds, beeps counted, and message boxes
// answered OK at once, or left open on the screen for the test to answer.
#pragma once

#include <cstddef>
#include <vector>

#include "app/qt/qt_front_end.h"

namespace tavri::test {

struct ScriptedBoxes {
  std::size_t Count(MessageKind kind) const {
    std::size_t count = 0;
    for (const Message& box : shown) count += box.kind == kind;
    return count;
  }

  bool leftOpen = false;
  std::vector<Message> shown;
};

struct ManualCountdown {
  bool running = false;
};

class TestFrontEnd : public QtFrontEnd {
 public:
  void StartTimer(int) override { countdown.running = true; }
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
