// A platform for tests: records every message box and beep, answers boxes
// from a script without blocking, and plays a scripted random sequence.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shared/platform.h"

namespace tavri::test {

class FakePlatform : public Platform {
 public:
  MessageAnswer MsgBox(const MessageBoxSpec& box) override;
  void Beep() override { ++beeps; }
  void Randomize() override { ++randomizeCalls; }
  float Rnd() override;

  // Values Rnd returns, in order; when the script runs out Rnd fails the test.
  std::deque<float> randomScript;
  int randomDraws = 0;
  // Answers for boxes with OK and Cancel; an empty queue answers OK.
  std::deque<MessageAnswer> answers;
  // Runs while a box is "open", before it is answered.
  std::function<void(const MessageBoxSpec&)> onMessageBox;

  std::vector<MessageBoxSpec> boxes;
  int beeps = 0;
  int randomizeCalls = 0;
};

}  // namespace tavri::test
