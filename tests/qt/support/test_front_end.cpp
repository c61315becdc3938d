#include "support/test_front_end.h"

#include "app/core/host.h"

namespace tavri::test {

bool TestFrontEnd::Tick() {
  if (!countdown.running || !host()) return false;
  host()->OnTimerTick();
  return true;
}

void TestFrontEnd::ShowBox(WindowId owner, const Message& message) {
  boxes.shown.push_back(message);
  if (boxes.leftOpen) return QtFrontEnd::ShowBox(owner, message);
  // Taken in by the host once the step that showed the box is over.
  host()->OnBoxAnswered(MessageAnswer::Ok);
}

}  // namespace tavri::test
