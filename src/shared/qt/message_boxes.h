// The message boxes the program asks for. The front end shows each over the
// window it belongs to and waits for the answer; behind this seam, so that a
// test can see every box at the moment it would appear and answer it without
// a nested event loop.
#pragma once

#include <memory>

#include "shared/message.h"

class QMessageBox;
class QWidget;

namespace tavri {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box over `owner` (nullptr: over no window), waits until it is
  // closed and returns the button pressed.
  virtual MessageAnswer Ask(const Message& message, QWidget* owner) = 0;
};

// The box as it is shown, built but not yet shown: title, plain text (a
// carriage return starts a new line), icon, OK or OK and キャンセル, the
// default button; Escape and the close box answer キャンセル when there is one.
std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* owner);

// The answer of a box built by BuildMessageBox once it has been closed.
MessageAnswer AnswerOf(const QMessageBox& box);

// Real message boxes, each in an event loop of its own while it is open.
class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer Ask(const Message& message, QWidget* owner) override;
};

}  // namespace tavri
