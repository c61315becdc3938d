// Timer1_Timer: the points of a problem fall by one every two seconds until
// the relationship is chosen.
#include "game/core/form1.h"

namespace tavri {

void Form1::Timer1_Timer() {
  // A tick already on its way when the countdown was stopped must not count.
  if (Timer1.Interval == 0 || !ProblemIsOpen()) return;

  points = static_cast<std::int16_t>(points - 1);
  if (points != -1) {
    tokuten.Caption = SignedText(points);
    return;
  }

  // Out of time. The label keeps " 0" until the next problem shows 10.
  MarkCell().Caption = "×";
  platform_.Beep();
  Timer1.Interval = 0;
  if (problemNo == kLastProblem) {
    GameEnd(EndCause::TimeOut);
    return;
  }
  NewProblem();
}

}  // namespace tavri
