// What the windows share for the whole run of the program. Only the stored
// best-five lists outlive it, in the results file.
#pragma once

#include <array>
#include <cstdint>

#include "shared/x_range.h"

namespace tavri {

inline constexpr int kBestOfRunPlaces = 3;

struct SessionState {
  // Chosen in the game window; decides the x values of new problems and the
  // list the results window shows and changes.
  XRange range = XRange::MinusTwoToTwo;
  // The three best scores of this run for each range, best first. Never
  // stored: a new run starts from 0, 0, 0.
  std::array<std::array<std::int16_t, kBestOfRunPlaces>, kRangeCount> bestOfRun{};
  // Set when the finished game's score was compared with the best five and
  // missed them; Start clears it. While set, that score is not offered for
  // a name again.
  bool scoreMissedBestFive = false;
};

}  // namespace tavri
