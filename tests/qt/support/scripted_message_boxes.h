// Message boxes that a test sees at the moment each would appear, answered
// at once from a script (OK when the script is empty), with no event loop.
#pragma once

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "shared/qt/message_boxes.h"

namespace tavri::test {

class ScriptedMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    Message message;
    QPointer<QWidget> owner;
  };

  MessageAnswer Ask(const Message& message, QWidget* owner) override {
    shown.push_back({message, owner});
    if (onShown) onShown(message, owner);
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::size_t Count(MessageKind kind) const {
    std::size_t count = 0;
    for (const Shown& box : shown) count += box.message.kind == kind;
    return count;
  }

  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;
  // Runs while the box would be on screen, before it is answered.
  std::function<void(const Message&, QWidget* owner)> onShown;
};

}  // namespace tavri::test
