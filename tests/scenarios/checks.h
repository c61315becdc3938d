// The checks a play makes ("expect <word> …"), by their word: each reads
// what the real windows show through the driver and, when it is not what
// the play expects, notes what the screen showed.
#pragma once

#include <map>
#include <string>

#include "scenarios/step_words.h"

namespace tavri::scenario {

const std::map<std::string, Compile, std::less<>>& Checks();

}  // namespace tavri::scenario
