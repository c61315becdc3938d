// Reads plays (README.md gives their language) and plays their scenarios on
// a Driver. Every step is checked when the file is read, so a misspelt
// name or a missing word fails before anything runs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/play_text.h"

namespace tavri::scenario {

class Stage;

struct Step {
  int line = 0;
  std::string source;
  std::function<void(Stage&)> action;
};

struct Scenario {
  std::string title;
  std::string file;
  int line = 0;
  std::vector<Step> steps;
};

// A check that failed, or a step that could not be taken (which ends the
// scenario): where, the step as written, and what the screen showed.
struct Failure {
  std::string file;
  int line = 0;
  std::string step;
  std::string what;
};

// The scenarios of one play file. Throws PlayError naming the line.
std::vector<Scenario> ReadPlay(std::string_view text, const std::string& file);

// Plays the scenario on a driver of a freshly started program; nothing
// failed when the result is empty.
std::vector<Failure> Play(const Scenario& scenario, Driver& driver);

}  // namespace tavri::scenario
