// Message boxes that a test sees at the moment each would appear, answered
// at once from a script (OK when the script is empty), with no event loop of
// their own. Shown on screen if asked, each then takes the activation as a
// real box does before it is answered.
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

  MessageAnswer Ask(const Message& message, QWidget* owner) override;

  std::size_t Count(MessageKind kind) const {
    std::size_t count = 0;
    for (const Shown& box : shown) count += box.message.kind == kind;
    return count;
  }

  bool onScreen = false;
  std::vector<Shown> shown;
  std::deque<MessageAnswer> answers;
  // Runs while the box would be on screen, before it is answered.
  std::function<void(const Message&, QWidget* owner)> onShown;
  // For each box shown on screen: whether it became the active window.
  std::vector<bool> activated;
};

}  // namespace tavri::test
