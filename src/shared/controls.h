// Controls as plain data: what a handler may change on a window. The front
// end draws these; the core never sees a widget.
#pragma once

#include <string>

namespace tavri {

struct Label {
  std::string Caption;
  bool Visible = true;
};

struct CommandButton {
  std::string Caption;
  bool Visible = true;
  bool Enabled = true;
};

struct TextBox {
  std::string Text;
  bool Visible = true;
};

struct Line {
  bool Visible = true;
};

struct MenuItem {
  std::string Caption;
  bool Checked = false;
};

// A timer's interval in milliseconds; 0 means no ticks. It reads and assigns
// like an int. Like the toolkit's timer, every assignment of an interval above
// 0 begins a full new period, even when the value does not change: a handler
// that stops the countdown and starts the next problem leaves the interval at
// 2000 but still wants a whole two seconds. Starts() counts those assignments
// so that the front end's clock can restart with them.
class TimerInterval {
 public:
  TimerInterval() = default;
  TimerInterval(const TimerInterval&) = default;
  TimerInterval& operator=(const TimerInterval&) = default;
  TimerInterval& operator=(int milliseconds) {
    milliseconds_ = milliseconds;
    if (milliseconds > 0) ++starts_;
    return *this;
  }
  operator int() const { return milliseconds_; }
  unsigned Starts() const { return starts_; }

 private:
  int milliseconds_ = 0;
  unsigned starts_ = 0;
};

struct Timer {
  TimerInterval Interval;
};

}  // namespace tavri
