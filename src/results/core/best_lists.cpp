#include "results/core/best_lists.h"

#include <utility>

#include "shared/utf8.h"

namespace tavri {

std::optional<int> PlaceInBestFive(BestFive& list, std::int16_t score, std::u32string name) {
  for (int place = 0; place < kPlaces; ++place) {
    if (score < list[static_cast<std::size_t>(place)].score) continue;
    for (int k = kPlaces - 2; k >= place; --k)
      list[static_cast<std::size_t>(k + 1)] = std::move(list[static_cast<std::size_t>(k)]);
    list[static_cast<std::size_t>(place)] = ListEntry{std::move(name), score};
    return place;
  }
  return std::nullopt;
}

void PlaceInBestOfRun(std::array<std::int16_t, kBestOfRunPlaces>& best, std::int16_t score) {
  for (int place = 0; place < kBestOfRunPlaces; ++place) {
    if (score < best[static_cast<std::size_t>(place)]) continue;
    for (int k = kBestOfRunPlaces - 2; k >= place; --k)
      best[static_cast<std::size_t>(k + 1)] = best[static_cast<std::size_t>(k)];
    best[static_cast<std::size_t>(place)] = score;
    return;
  }
}

std::string DisplayName(std::u32string_view name) {
  constexpr std::u32string_view kPadding(U" \0", 2);
  const std::size_t end = name.find_last_not_of(kPadding);
  return ToUtf8(end == std::u32string_view::npos ? std::u32string_view{}
                                                 : name.substr(0, end + 1));
}

}  // namespace tavri
