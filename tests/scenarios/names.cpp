#include "scenarios/names.h"

#include <algorithm>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"

namespace tavri::scenario {

namespace {

// "mark-1" … "mark-5" for the rows first … first + count - 1.
void Series(std::vector<Named>& names, const std::string& stem, int first, int count) {
  for (int i = 0; i < count; ++i) names.push_back({stem + std::to_string(i + 1), first + i});
}

std::vector<Named> Sorted(std::vector<Named> names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const Named& a, const Named& b) { return a.id < b.id; });
  return names;
}

std::vector<Named> GameControls() {
  using namespace game_window;
  std::vector<Named> names{
      {"heading", kProblemHeading},
      {"x-header", kXHeader},
      {"y-header", kYHeader},
      {"x-band", kXBand},
      {"y-band", kYBand},
      {"row-line", kRowSeparator},
      {"column-line", kColumnSeparator},
      {"points", kPoints},
      {"total", kTotalButton},
      {"frame", kRelationshipFrame},
      {"proportional", kRelationshipButtons},
      {"inverse", kRelationshipButtons + 1},
      {"linear", kRelationshipButtons + 2},
      {"square", kRelationshipButtons + 3},
      {"formula-y", kFormulaY},
      {"coefficient", kCoefficientBox},
      {"formula-x", kFormulaX},
      {"exponent", kExponent},
      {"constant", kConstantBox},
      {"numerator", kNumeratorBox},
      {"fraction-bar", kFractionBar},
      {"denominator-x", kDenominatorX},
      {"enter-hint", kEnterHint},
      {"start", kStartButton},
      {"range", kRangeButton},
      {"exit", kExitButton},
      {"help", kHelpButton},
  };
  Series(names, "number-", kProblemNumbers, kProblemCount);
  Series(names, "mark-", kMarkCells, kProblemCount);
  Series(names, "x-", kXCells, kColumns);
  Series(names, "y-", kYCells, kColumns);
  return Sorted(std::move(names));
}

std::vector<Named> ResultsControls() {
  using namespace results_window;
  std::vector<Named> names{
      {"heading", kHeading},
      {"clear", kClearButton},
      {"range-label", kRangeLabel},
      {"range-name", kRangeName},
      {"rule-top", kDoubleRuleTop},
      {"rule-bottom", kDoubleRuleBottom},
      {"run-heading", kRunHeading},
      {"this-game-heading", kThisGameHeading},
      {"this-game-score", kThisGameScore},
      {"rule", kRule},
      {"prompt", kPrompt},
      {"name-box", kNameBox},
      {"back", kBackButton},
  };
  Series(names, "place-", kPlaceNumbers, kPlaces);
  Series(names, "name-", kNames, kPlaces);
  Series(names, "score-", kScores, kPlaces);
  Series(names, "run-place-", kRunPlaceNumbers, kBestOfRunPlaces);
  Series(names, "run-score-", kRunScores, kBestOfRunPlaces);
  return Sorted(std::move(names));
}

std::vector<Named> HelpControls() {
  using namespace help_window;
  return {{"introduction", kIntroduction},
          {"how-to-play", kHowToPlay},
          {"points-and-results", kPointsAndResults},
          {"ranges", kRanges},
          {"credit", kCredit},
          {"back", kBackButton}};
}

std::vector<Named> MenuItems() {
  using namespace game_window;
  std::vector<Named> names{
      {"game-menu", kGameMenu},         {"start-item", kStartItem},
      {"separator-1", kGameSeparator1}, {"list-item", kListItem},
      {"separator-2", kGameSeparator2}, {"exit-item", kExitItem},
      {"range-menu", kRangeMenu},       {"help-menu", kHelpMenu},
      {"help-item", kHelpItem},
  };
  Series(names, "range-item-", kRangeItems, 4);
  return Sorted(std::move(names));
}

std::optional<int> Find(const std::vector<Named>& names, std::string_view name) {
  for (const Named& named : names)
    if (named.name == name) return named.id;
  return std::nullopt;
}

}  // namespace

const std::vector<Named>& WindowNames() {
  static const std::vector<Named> names{{"game", static_cast<int>(WindowId::Game)},
                                        {"results", static_cast<int>(WindowId::Results)},
                                        {"help", static_cast<int>(WindowId::Help)}};
  return names;
}

const std::vector<Named>& ControlNames(WindowId window) {
  static const std::vector<Named> game = GameControls();
  static const std::vector<Named> results = ResultsControls();
  static const std::vector<Named> help = HelpControls();
  switch (window) {
    case WindowId::Game:
      return game;
    case WindowId::Results:
      return results;
    case WindowId::Help:
      return help;
  }
  return game;
}

const std::vector<Named>& MenuItemNames() {
  static const std::vector<Named> names = MenuItems();
  return names;
}

std::optional<WindowId> WindowNamed(std::string_view name) {
  const std::optional<int> id = Find(WindowNames(), name);
  return id ? std::optional(static_cast<WindowId>(*id)) : std::nullopt;
}

std::optional<int> ControlNamed(WindowId window, std::string_view name) {
  return Find(ControlNames(window), name);
}

std::optional<int> MenuItemNamed(std::string_view name) { return Find(MenuItemNames(), name); }

std::string WindowName(WindowId window) {
  return WindowNames()[static_cast<std::size_t>(window)].name;
}

std::string ControlName(WindowId window, int control) {
  for (const Named& named : ControlNames(window))
    if (named.id == control) return named.name;
  return "#" + std::to_string(control);
}

}  // namespace tavri::scenario
