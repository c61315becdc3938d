// The stored best-five lists in the results file "tavri.rnk": reading them,
// storing a new entry and clearing them, safely also when a whole class
// shares one file.
//
// The file: headerless 12-byte records (rank_codec.h); record 5r + p + 1 is
// place p + 1 of x range r. There is room for fifteen ranges of five and
// four are used. A save writes at least 75 records and keeps every byte
// after them; a clear blanks the four lists.
//
// Sharing: a save or a clear opens the folder once, takes the folder's lock
// (file_system.h), reads the file as it is at that moment, writes the new
// one under a name of its own, flushes it, renames it over the old one and
// flushes the folder. So two programs saving at once both keep their
// entries, a reader always sees a whole list, and a power cut leaves the old
// list or the new one. Nothing at those names is followed if it is a link,
// and nothing but a plain file of at most 1 MiB is read or replaced.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "results/core/best_lists.h"
#include "results/core/file_system.h"
#include "shared/x_range.h"

namespace tavri {

// Fifteen lists of five fit in the file; four x ranges use the first twenty.
inline constexpr std::size_t kStoredRecords = 75;
// A save writes records 1 to 21 back as it found them (but for the list it
// changes); the program has always read record 21 with the lists.
inline constexpr std::size_t kKeptRecords = 21;
inline constexpr std::size_t kListRecords = 20;
// A results file is 900 bytes and whatever an older program left after
// them; a larger file is not one, and is neither read nor replaced.
inline constexpr std::size_t kMaxResultsFileSize = 1024 * 1024;
// How long a save waits for another program's save, or for the file to be
// free (Windows), before it gives up and the player is told.
inline constexpr std::chrono::seconds kLockPatience{5};
// How long opening the list waits for a file another program holds: a
// moment, as a virus scanner holds a new file, and no more; a lease another
// user holds may never end, and the window says the list cannot be read.
inline constexpr std::chrono::milliseconds kLookPatience{250};
inline constexpr std::chrono::milliseconds kRetryInterval{10};
// How long a save spends at most on removing what killed saves left: it
// holds the lock meanwhile, and another save may be waiting for it.
inline constexpr std::chrono::milliseconds kCleanUpTime{100};

// What became of a save or a clear.
enum class Stored {
  Yes,          // in the list and on the disk
  Unconfirmed,  // in the list, but the folder could not be flushed: a power
                // cut could still bring the old list back
  NoPlace,      // the score makes no place in the list as it is now (others
                // saved meanwhile): nothing was written
  No,           // not stored: the list is as it was
};

// True only for Stored::Yes, the one outcome the player need not be told.
struct StoreResult {
  Stored stored;
  constexpr StoreResult(Stored s) : stored(s) {}  // implicit: compares with a kind
  explicit constexpr operator bool() const { return stored == Stored::Yes; }
  bool operator==(const StoreResult&) const = default;
};

struct StoredLists {
  // False when the list could not be read safely (a file that is unreadable,
  // no regular file, a link, too large or held by another program; a folder
  // that is missing or that others could replace; no folder at all): the
  // lists then read as empty and the file is never written over.
  bool readable = true;
  // Every entry starts blank by its own initialisers. (No "{}" here: clang
  // 14, which builds the fuzz targets, crashes on that for nested arrays of
  // such entries.)
  std::array<BestFive, kRangeCount> lists;
};

class ResultsStore {
 public:
  // `path` empty: there is no place for the list (a settings file names one
  // but could not be read); nothing can be read or stored.
  ResultsStore(FileSystem& files, std::string path);
  // The path found by `locate` when the list is first read or written, not
  // before: finding it reads the settings and tries the folders, which a
  // program that only starts need not wait for.
  ResultsStore(FileSystem& files, std::function<std::string()> locate);

  const std::string& path() const;
  // The start of the names of the new files a save writes before it renames
  // one over the results file; sixteen hex digits follow. (Windows also
  // keeps the lock file path() + ".lock".)
  std::string temporaryPrefix() const { return path() + ".tmp-"; }

  // The four lists. A missing file is created empty (and not through a
  // link). Names hold the field's ten characters, padding included.
  StoredLists Load();

  // Places (score, name) into the list of `range` as it is on disk now, by
  // the placement rule, and stores the file; everything else in it stays as
  // it is on disk. A score that no longer makes a place there writes nothing
  // (Stored::NoPlace).
  StoreResult SaveEntry(XRange range, std::int16_t score, std::u32string_view name);

  // Blanks the four stored lists as they are on disk now; everything after
  // them stays.
  StoreResult ClearLists();

 private:
  // The file's bytes, retried for up to `patience` while another program
  // holds it.
  ReadStatus Read(Folder& folder, std::string& bytes, FileFacts* facts,
                  std::chrono::milliseconds patience);
  // Runs `change` on the file's bytes under the lock and stores the result
  // when there is one.
  template <typename Change>
  StoreResult Update(Change change);
  StoreResult Replace(Folder& folder, const std::string& bytes, const FileFacts* old);
  void RemoveLeftovers(Folder& folder);
  bool IsLeftover(std::string_view name) const;

  // Finds the path on first use.
  void Locate() const;

  FileSystem& files_;
  mutable std::function<std::string()> locate_;
  mutable std::string path_;
  mutable std::string folder_;  // where the file is
  mutable std::string name_;    // its name there
};

}  // namespace tavri
