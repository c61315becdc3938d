// Lets GoogleTest show list entries and what became of a save as text when
// a comparison fails.
#pragma once

#include <ostream>

#include "results/core/best_lists.h"
#include "results/core/results_store.h"
#include "shared/utf8.h"

namespace tavri {

inline void PrintTo(const ListEntry& entry, std::ostream* out) {
  *out << '"' << ToUtf8(entry.name) << "\"/" << entry.score;
}

inline void PrintTo(const StoreResult& result, std::ostream* out) {
  static constexpr const char* kNames[] = {"Yes", "Unconfirmed", "NoPlace", "No"};
  *out << "Stored::" << kNames[static_cast<int>(result.stored)];
}

}  // namespace tavri
