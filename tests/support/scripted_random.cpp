#include "support/scripted_random.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace tavri::test {

namespace {

// A value r with ⌊count·r⌋ = outcome, well away from the edges.
float DrawOf(int outcome, int count) {
  return (static_cast<float>(outcome) + 0.5f) / static_cast<float>(count);
}

}  // namespace

float ScriptedRandom::Next() {
  if (script.empty() && !sequence_ && !whenUsedUp)
    throw std::logic_error("the scripted random sequence ran out after " + std::to_string(draws) +
                           " draws");
  ++draws;
  if (script.empty()) return sequence_ ? sequence_->Next() : *whenUsedUp;
  const float value = script.front();
  script.pop_front();
  return value;
}

void ScriptedRandom::Queue(const std::vector<float>& values) {
  script.insert(script.end(), values.begin(), values.end());
}

void ScriptedRandom::ContinueWithSequence(std::uint32_t seed) {
  sequence_.emplace();
  sequence_->Seed(seed);
}

std::vector<float> ProblemDraws(Relationship relationship, int a, int b) {
  std::vector<float> draws{DrawOf(static_cast<int>(relationship), 3)};
  if (relationship == Relationship::Inverse) {
    draws.push_back(DrawOf(std::abs(a) / 6 - 1, 3));
    draws.push_back(a < 0 ? 0.25f : 0.75f);  // below one half turns the sign
    return draws;
  }
  draws.push_back(DrawOf(a + 4, 9));
  if (relationship == Relationship::Linear) draws.push_back(DrawOf(b + 4, 9));
  return draws;
}

std::vector<float> RowDraws(int first, std::array<int, 4> steps) {
  std::vector<float> draws{DrawOf(first + 7, 9)};
  for (int step : steps) draws.push_back(DrawOf(step - 1, 3));
  return draws;
}

}  // namespace tavri::test
