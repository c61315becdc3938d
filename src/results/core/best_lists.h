// The best-five list of a range and the best three of the run: how a new
// score takes its place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "shared/session_state.h"

namespace tavri {

inline constexpr int kPlaces = 5;

struct ListEntry {
  // As stored: the name field's characters, padding included.
  std::u32string name;
  std::int16_t score = 0;
  bool operator==(const ListEntry&) const = default;
};

using BestFive = std::array<ListEntry, kPlaces>;

// Puts the score into the first place whose score it reaches (greater than
// or equal: the newest of equal scores ranks highest); the places below move
// down and the old fifth drops out. Returns the place (0 for the first), or
// nothing when the score is below all five and the list is unchanged.
std::optional<int> PlaceInBestFive(BestFive& list, std::int16_t score, std::u32string name);

// The same rule for the three best scores of the run.
void PlaceInBestOfRun(std::array<std::int16_t, kBestOfRunPlaces>& best, std::int16_t score);

// A stored name as the list shows it: the blanks (and zero bytes) that pad
// the field are dropped. UTF-8.
std::string DisplayName(std::u32string_view name);

}  // namespace tavri
