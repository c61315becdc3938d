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

// Interval in milliseconds; 0 means no ticks.
struct Timer {
  int Interval = 0;
  // Counts the times a countdown was (re)started with a full period, so the
  // front end can tell a fresh start from an interval that merely stayed.
  unsigned Starts = 0;

  void Start(int interval) {
    Interval = interval;
    ++Starts;
  }
};

}  // namespace tavri
