// Every scenario of every play, one GoogleTest test each: a front end's
// scenario program registers the plays on its driver and runs them.
//
//   int main(int argc, char** argv) {
//     testing::InitGoogleTest(&argc, argv);
//     RegisterPlays(kPlaysFolder, [] { return std::make_unique<MyDriver>(); });
//     return RUN_ALL_TESTS();
//   }
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "scenarios/driver.h"

namespace tavri::scenario {

using MakeDriver = std::function<std::unique_ptr<Driver>()>;

// Tests named <file's stem>.<title> (in lower case, without apostrophes,
// every run of other characters one "_"), each on a driver of its own. A play that cannot be
// read, or a folder without plays, is a failing test of its own.
void RegisterPlays(const std::filesystem::path& folder, const MakeDriver& makeDriver);

}  // namespace tavri::scenario
