// Where the problems' random numbers come from: one sequence, seeded once.
#pragma once

namespace tavri {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Seeds the sequence from the system clock; called once at start-up.
  virtual void SeedFromClock() = 0;
  // A uniform value r with 0 <= r < 1; never 1.
  virtual float Next() = 0;
};

}  // namespace tavri
