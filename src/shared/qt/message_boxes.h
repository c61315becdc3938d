// The message boxes the program asks for, as Qt's boxes.
#pragma once

#include <memory>

#include "shared/message.h"

class QMessageBox;
class QWidget;

namespace tavri {

// The box as it is shown, built but not yet shown: title, plain text (a
// carriage return starts a new line), icon, OK or OK and キャンセル, the
// default button; Escape and the close box answer キャンセル when there is
// one, else OK.
std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* owner);

// The answer of a box built by BuildMessageBox once it has been closed.
MessageAnswer AnswerOf(const QMessageBox& box);

}  // namespace tavri
