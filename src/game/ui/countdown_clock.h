// How the front end's clock follows the game's Timer1.
#pragma once

#include "shared/controls.h"

namespace tavri::ui {

enum class ClockChange { Keep, Stop, Restart };

// `appliedStarts` is Timer1's start count when the clock was last set;
// `running` and `runningInterval` describe the clock now.
inline ClockChange FollowTimer(const Timer& timer, unsigned appliedStarts, bool running,
                               int runningInterval) {
  if (timer.Interval <= 0) return ClockChange::Stop;
  // Each start the game makes begins a full period, also when the interval
  // was 2000 before and is 2000 again.
  if (timer.Starts != appliedStarts || !running || runningInterval != timer.Interval)
    return ClockChange::Restart;
  return ClockChange::Keep;
}

}  // namespace tavri::ui
