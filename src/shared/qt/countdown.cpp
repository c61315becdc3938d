#include "shared/qt/countdown.h"

namespace tavri {

TimerCountdown::TimerCountdown() {
  timer_.setObjectName(QStringLiteral("countdown"));
  // The points fall every two seconds for 22 s; a coarse timer may run 5 %
  // late, over a second of the student's time.
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
}

}  // namespace tavri
