// The plays on the core: the host and the program on the front end in
// memory (core_driver.h), one test per scenario.
#include <gtest/gtest.h>

#include <memory>

#include "scenarios/core_driver.h"
#include "scenarios/register_plays.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  tavri::scenario::RegisterPlays(TAVRI_PLAYS_FOLDER,
                                 [] { return std::make_unique<tavri::scenario::CoreDriver>(); });
  return RUN_ALL_TESTS();
}
