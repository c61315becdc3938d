// The player itself: a broken play is refused at the line that breaks it, a
// failed check says where and what the screen showed, and every control and
// menu item has one name.
#include "scenarios/player.h"

#include <gtest/gtest.h>

#include <set>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "scenarios/core_driver.h"
#include "scenarios/names.h"

namespace tavri::scenario {
namespace {

TEST(Player, ABrokenPlayIsRefusedAtItsLine) {
  const struct {
    const char* play;
    const char* error;
  } cases[] = {
      {"start\n", "p.play:1: a step before the first scenario"},
      {"scenario \"a\"\nstart\nclick game startt\n",
       "p.play:3: the game window has no control 'startt'"},
      {"scenario \"a\"\nclick game start\n", "p.play:2: this step needs the program started"},
      {"scenario \"a\"\nstart\nresults none\n", "p.play:3: this step comes before start"},
      {"scenario \"a\"\nstart\nexpect text game heading\n", "p.play:3: the text is missing"},
      {"scenario \"a\"\nstart\nexpect text game heading \"x\n",
       "p.play:3: a text has no closing quote"},
      {"scenario \"a\"\nstart\nexpect beeps 1 2\n", "p.play:3: '2' is one word too many"},
      {"scenario \"a\"\n\n  # nothing\nstart\nproblem inverse 5\n",
       "p.play:5: a of y = a / x is ±6, ±12 or ±18"},
      {"scenario \"a\"\nstart\nfly game\n", "p.play:3: no step begins 'fly game'"},
      {"scenario \"a\"\nscenario \"a\"\n", "p.play:2: a second scenario of that title"},
  };
  for (const auto& c : cases) {
    try {
      ReadPlay(c.play, "p.play");
      ADD_FAILURE() << "read: " << c.play;
    } catch (const PlayError& error) {
      EXPECT_EQ(std::string(error.what()), c.error);
    }
  }
}

TEST(Player, AFailedCheckSaysWhereAndWhatTheScreenShowed) {
  const std::vector<Scenario> scenarios = ReadPlay(
      "scenario \"s\"\n"
      "start\n"
      "expect text game heading \"x\"  # the design's caption is shown\n"
      "expect box \"スタート\" over game\n"
      "answer ok\n"
      "answer ok\n"
      "expect beeps 0\n",
      "p.play");
  ASSERT_EQ(scenarios.size(), 1u);
  CoreDriver driver;
  const std::vector<Failure> failures = Play(scenarios[0], driver);
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].file, "p.play");
  EXPECT_EQ(failures[0].line, 3);
  EXPECT_EQ(failures[0].step, "expect text game heading \"x\"");
  EXPECT_EQ(failures[0].what, "it shows \"番  号\"");
  // A step that cannot be taken ends the scenario there.
  EXPECT_EQ(failures[1].line, 6);
  EXPECT_EQ(failures[1].what, "no box is open");
}

TEST(Names, EveryControlAndMenuItemHasOneName) {
  const std::pair<WindowId, std::size_t> windows[] = {
      {WindowId::Game, game_window::kControlCount},
      {WindowId::Results, results_window::kControlCount},
      {WindowId::Help, help_window::kControlCount}};
  std::vector<std::vector<Named>> tables;
  for (const auto& [window, count] : windows) {
    ASSERT_EQ(ControlNames(window).size(), count) << WindowName(window);
    tables.push_back(ControlNames(window));
  }
  ASSERT_EQ(MenuItemNames().size(), std::size_t{game_window::kMenuItemCount});
  tables.push_back(MenuItemNames());
  for (const std::vector<Named>& table : tables) {
    std::set<std::string> names;
    for (std::size_t id = 0; id < table.size(); ++id) {
      EXPECT_EQ(table[id].id, static_cast<int>(id)) << table[id].name;
      EXPECT_TRUE(names.insert(table[id].name).second) << table[id].name;
    }
  }
}

}  // namespace
}  // namespace tavri::scenario
