// The stored best-five lists in the results file "tavri.rnk": reading them,
// storing a new entry and clearing them, safely also when a whole class
// shares one file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "results/core/best_lists.h"
#include "results/core/file_system.h"
#include "shared/x_range.h"

namespace tavri {

struct StoredLists {
  // False when a file is there but could not be read safely (unreadable, not
  // a regular file, too large, …): the lists then read as empty and the file
  // is never written over.
  bool readable = true;
  // Every entry starts blank by ListEntry's own defaults. No "{}" here:
  // clang 14 crashes on that initialiser of nested arrays of ListEntry.
  std::array<BestFive, kRangeCount> lists;
};

class ResultsStore {
 public:
  ResultsStore(FileSystem& files, std::string path);

  const std::string& path() const { return path_; }

  // The four lists. A missing file is created empty.
  StoredLists Load();

  // Places (score, name) into the list of `range` as it is on disk now, by
  // the placement rule, and stores the file; everything else in it stays as
  // it is on disk. False when it could not be stored (the player is told).
  bool SaveEntry(XRange range, std::int16_t score, std::u32string_view name);

  // Blanks the stored lists. False when that failed.
  bool ClearLists();

 private:
  FileSystem& files_;
  std::string path_;
};

}  // namespace tavri
