// The two lists the save loop alternates between, and the bytes after them
// that every save must keep.
#pragma once

#include <string>

#include "results/core/rank_codec.h"
#include "results/core/results_file.h"
#include "shared/module1.h"

namespace tavri::test {

// 75 records: names of the letter `which`, descending scores.
inline std::string SavedList(char which) {
  std::string records;
  for (std::size_t i = 0; i < kStoredRecords; ++i) {
    RankRecord record;
    record.SetName(std::u32string(1 + i % 10, static_cast<char32_t>(which)));
    // Every list is below 42, so a game of 42 always makes place 1.
    record.score = static_cast<std::int16_t>((which == 'A' ? 30 : 35) - i % 5);
    records += EncodeRecord(record);
  }
  return records;
}

inline std::string Tail() { return std::string(100, '\x7F') + "end of a longer file"; }

}  // namespace tavri::test
