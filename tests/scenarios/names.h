// The names a play gives windows, controls and menu items, and the core's
// ids they stand for. One table for every player: the native ones read it
// here, the browser's through scenario_names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/commands.h"

namespace tavri::scenario {

struct Named {
  std::string name;
  int id;
};

// Windows, in the order of WindowId.
const std::vector<Named>& WindowNames();
// Every control of the window, in the order of its ids.
const std::vector<Named>& ControlNames(WindowId window);
// The game window's menu items, in the order of their ids.
const std::vector<Named>& MenuItemNames();

std::optional<WindowId> WindowNamed(std::string_view name);
std::optional<int> ControlNamed(WindowId window, std::string_view name);
std::optional<int> MenuItemNamed(std::string_view name);

std::string WindowName(WindowId window);
std::string ControlName(WindowId window, int control);

}  // namespace tavri::scenario
