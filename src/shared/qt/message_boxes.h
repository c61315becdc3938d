// The real platform: Qt message boxes, the system beep and the clock-seeded
// random sequence.
#pragma once

#include <memory>

#include "shared/clock_random.h"
#include "shared/platform.h"

class QMessageBox;
class QWidget;

namespace tavri {

// The box MsgBox shows, built but not yet shown: title, text (a carriage
// return starts a new line), icon, OK or OK and キャンセル, the default button.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxSpec& message, QWidget* parent);

class QtPlatform : public Platform {
 public:
  // Shows the box over the active window and waits for the answer. A box
  // closed without its OK button (title-bar close, Escape, program end)
  // answers Cancel when it has one.
  MessageAnswer MsgBox(const MessageBoxSpec& box) override;
  void Beep() override;
  void Randomize() override { random_.Randomize(); }
  float Rnd() override { return random_.Next(); }

 private:
  ClockRandom random_;
};

}  // namespace tavri
