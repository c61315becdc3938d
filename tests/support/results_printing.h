// Lets GoogleTest show list entries as text when a comparison fails.
#pragma once

#include <ostream>

#include "results/core/best_lists.h"
#include "shared/utf8.h"

namespace tavri {

inline void PrintTo(const ListEntry& entry, std::ostream* out) {
  *out << '"' << ToUtf8(entry.name) << "\"/" << entry.score;
}

}  // namespace tavri
