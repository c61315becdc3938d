// Message boxes behind a seam: the program's windows show them through
// MessageBoxW, and window tests answer them without a box on screen.
#pragma once

#include <windows.h>

#include "shared/message.h"

namespace tavri::win32 {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box over `owner` (or over nothing) and waits for the answer.
  virtual MessageAnswer Show(HWND owner, const Message& message) = 0;
};

// The system's own boxes.
class SystemMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Show(HWND owner, const Message& message) override;
};

// The MessageBoxW style of a message: its icon, its buttons and which of
// them is the default.
UINT MessageBoxStyle(const Message& message);

// What MessageBoxW returned, as the program's answer. A box closed without
// choosing (Escape, its close box) counts as Cancel where it has one and as
// OK where it has not, as Windows reports it.
MessageAnswer AnswerOf(int result);

}  // namespace tavri::win32
