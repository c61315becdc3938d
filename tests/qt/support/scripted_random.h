// A random source for tests: the values a test scripts come first, then a
// fixed sequence, so every run plays the same problems.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

#include "shared/clock_random.h"
#include "shared/random_source.h"

namespace tavri::test {

class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::uint32_t seed = 1) { sequence_.Seed(seed); }
  void SeedFromClock() override {}
  float Next() override;
  void Script(std::initializer_list<float> draws) { script_.insert(script_.end(), draws); }
  template <typename Draws>
  void Script(const Draws& draws) {
    script_.insert(script_.end(), draws.begin(), draws.end());
  }
  bool scriptUsedUp() const { return script_.empty(); }

 private:
  std::deque<float> script_;
  ClockRandom sequence_;
};

}  // namespace tavri::test
