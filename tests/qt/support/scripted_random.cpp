#include "support/scripted_random.h"

namespace tavri::test {

float ScriptedRandom::Next() {
  if (script_.empty()) return sequence_.Next();
  const float next = script_.front();
  script_.pop_front();
  return next;
}

}  // namespace tavri::test
