// Prints the plays' names for windows, controls and menu items as JSON, for
// players written in other languages (the browser's):
//   {"windows": {"game": 0, …}, "windowDesigns": {"game": "Form1", …},
//    "controls": {"game": {"heading": {"id": 0, "design": "monbang"}, …}, …},
//    "menu": {"start-item": {"id": 1, "design": "m1a"}, …}}
// "design" is the native control's object name. Every name is plain ASCII.
#include <cstdio>
#include <string>
#include <vector>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "scenarios/names.h"

namespace {

using namespace tavri;
using tavri::scenario::Named;

const WindowDesign& DesignOf(WindowId window) {
  switch (window) {
    case WindowId::Game:
      return game_window::Design();
    case WindowId::Results:
      return results_window::Design();
    case WindowId::Help:
      return help_window::Design();
  }
  return game_window::Design();
}

template <typename DesignNameOf>
void PrintItems(const std::vector<Named>& names, DesignNameOf designName, const char* indent) {
  for (std::size_t i = 0; i < names.size(); ++i)
    std::printf("%s\"%s\": {\"id\": %d, \"design\": \"%s\"}%s\n", indent, names[i].name.c_str(),
                names[i].id, designName(names[i].id), i + 1 < names.size() ? "," : "");
}

}  // namespace

int main() {
  const std::vector<Named>& windows = scenario::WindowNames();
  std::printf("{\n  \"windows\": {");
  for (std::size_t i = 0; i < windows.size(); ++i)
    std::printf("%s\"%s\": %d", i ? ", " : "", windows[i].name.c_str(), windows[i].id);
  std::printf("},\n  \"windowDesigns\": {");
  for (std::size_t i = 0; i < windows.size(); ++i)
    std::printf("%s\"%s\": \"%s\"", i ? ", " : "", windows[i].name.c_str(),
                DesignOf(static_cast<WindowId>(windows[i].id)).designName);
  std::printf("},\n  \"controls\": {\n");
  for (std::size_t w = 0; w < windows.size(); ++w) {
    const auto window = static_cast<WindowId>(windows[w].id);
    const WindowDesign& design = DesignOf(window);
    std::printf("    \"%s\": {\n", windows[w].name.c_str());
    PrintItems(
        scenario::ControlNames(window),
        [&design](int id) { return design.controls[static_cast<std::size_t>(id)].designName; },
        "      ");
    std::printf("    }%s\n", w + 1 < windows.size() ? "," : "");
  }
  std::printf("  },\n  \"menu\": {\n");
  const WindowDesign& game = game_window::Design();
  PrintItems(
      scenario::MenuItemNames(),
      [&game](int id) { return game.menus[static_cast<std::size_t>(id)].designName; }, "    ");
  std::printf("  }\n}\n");
  return 0;
}
