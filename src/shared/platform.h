// What the program asks of the system: message boxes, the beep and the random
// source. The front end supplies the real ones; tests supply their own.
#pragma once

#include <string>

namespace tavri {

enum class MessageIcon { Exclamation, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct MessageBoxSpec {
  std::string title;
  std::string text;  // UTF-8; a line break is a carriage return (13)
  MessageIcon icon = MessageIcon::Exclamation;
  MessageButtons buttons = MessageButtons::Ok;
  int defaultButton = 0;  // 0 = the first button, 1 = the second
};

class Platform {
 public:
  virtual ~Platform() = default;
  // Shows the box and waits for the answer.
  virtual MessageAnswer MsgBox(const MessageBoxSpec& box) = 0;
  virtual void Beep() = 0;
  // Seeds the random sequence from the system clock.
  virtual void Randomize() = 0;
  // A uniform value r with 0 <= r < 1; never 1.
  virtual float Rnd() = 0;
};

// The game window's notices: exclamation icon, a single OK button.
MessageBoxSpec Notice(std::string title, std::string text);

}  // namespace tavri
