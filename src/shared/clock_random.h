// The real random source: one sequence, seeded from the system clock.
#pragma once

#include <cstdint>
#include <random>

#include "shared/random_source.h"

namespace tavri {

class ClockRandom : public RandomSource {
 public:
  void SeedFromClock() override;
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  // 24 random bits scaled by 2^-24: every value is exactly representable as
  // a float and the largest is 1 - 2^-24, so the result can never be 1.
  // (std::generate_canonical<float> can round up to 1 on common libraries.)
  float Next() override {
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
  }

 private:
  std::mt19937 engine_{5489u};
};

}  // namespace tavri
