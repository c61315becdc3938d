// A random sequence the test writes down value by value, and the values
// that make the problem generator produce a chosen problem.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "game/core/problem.h"
#include "shared/clock_random.h"
#include "shared/random_source.h"

namespace tavri::test {

// The largest float below 1: the top end of every draw.
inline constexpr float kAlmostOne = 0.99999994f;

class ScriptedRandom : public RandomSource {
 public:
  void SeedFromClock() override { ++seeds; }
  // The next scripted value. A draw the test did not script throws, which
  // ends the test with the number of draws made so far.
  float Next() override;

  void Queue(const std::vector<float>& values);
  // Once the script is used up, a fixed pseudo-random sequence instead of an
  // error: for tests that play many games and care only that every run
  // plays the same ones.
  void ContinueWithSequence(std::uint32_t seed);

  // Once the script is used up, every draw takes this value instead of
  // failing (0.1 makes y = −4x problems).
  std::optional<float> whenUsedUp;

  std::deque<float> script;
  int draws = 0;
  int seeds = 0;

 private:
  std::optional<ClockRandom> sequence_;
};

// The draws that make a problem of this relationship and these
// coefficients: a and b from −4 … 4 (not 0), or a from ±6, ±12, ±18 for an
// inverse proportion. Nothing for the x row: see RowDraws.
std::vector<float> ProblemDraws(Relationship relationship, int a, int b = 1);

// The draws of a random x row: its first value (−7 … 1), then the steps
// (1 … 3) to the next four.
std::vector<float> RowDraws(int first, std::array<int, 4> steps);

}  // namespace tavri::test
