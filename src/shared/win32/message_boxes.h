// Message boxes behind a seam: the program's windows show them through
// MessageBoxW, and tests hold them open until they answer them.
#pragma once

#include <windows.h>

#include <functional>

#include "shared/message.h"

namespace tavri::win32 {

class MessageBoxes {
 public:
  using Answered = std::function<void(MessageAnswer)>;
  virtual ~MessageBoxes() = default;
  // Shows the box over `owner` and calls `answered` once it closes: before
  // returning (the system's box runs a loop of its own) or later.
  virtual void Show(HWND owner, const Message& message, Answered answered) = 0;
};

// The system's own boxes.
class SystemMessageBoxes : public MessageBoxes {
 public:
  void Show(HWND owner, const Message& message, Answered answered) override;
};

// The MessageBoxW style of a message: its icon, its buttons and which of
// them is the default.
UINT MessageBoxStyle(const Message& message);

// What MessageBoxW returned, as the program's answer. A box closed without
// choosing (Escape, its close box) counts as Cancel where it has one and as
// OK where it has not, as Windows reports it.
MessageAnswer AnswerOf(int result);

}  // namespace tavri::win32
