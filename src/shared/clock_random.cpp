#include "shared/clock_random.h"

#include <chrono>

namespace tavri {

void ClockRandom::SeedFromClock() {
  auto now = std::chrono::system_clock::now().time_since_epoch();
  auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
  engine_.seed(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

}  // namespace tavri
