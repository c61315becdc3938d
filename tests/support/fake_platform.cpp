#include "support/fake_platform.h"

#include <stdexcept>

namespace tavri::test {

MessageAnswer FakePlatform::MsgBox(const MessageBoxSpec& box) {
  boxes.push_back(box);
  if (onMessageBox) onMessageBox(box);
  if (box.buttons == MessageButtons::Ok || answers.empty()) return MessageAnswer::Ok;
  MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

float FakePlatform::Rnd() {
  ++randomDraws;
  if (randomScript.empty()) throw std::logic_error("random script ran out");
  float value = randomScript.front();
  randomScript.pop_front();
  return value;
}

}  // namespace tavri::test
