// The plays on the Win32 front end: the real windows under Wine, played by
// the Win32 driver, one test per scenario.
#include <gtest/gtest.h>

#include <memory>

#include "scenarios/register_plays.h"
#include "support/win32_driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  tavri::scenario::RegisterPlays(TAVRI_PLAYS_FOLDER,
                                 [] { return std::make_unique<tavri::test::Win32Driver>(); });
  return RUN_ALL_TESTS();
}
