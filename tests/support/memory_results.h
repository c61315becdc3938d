// The results file kept in memory, for tests of the windows that read and
// store the best-five lists. The only place the core tests reach the
// in-memory disk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "results/core/results_store.h"
#include "support/fake_file_system.h"
#include "support/record_bytes.h"

namespace tavri::test {

class MemoryResults {
 public:
  MemoryResults() : store_(files_, kPath) {}
  MemoryResults(const MemoryResults&) = delete;
  MemoryResults& operator=(const MemoryResults&) = delete;

  ResultsStore& store() { return store_; }

  // The file's bytes; nothing while there is no file.
  std::optional<std::string> Bytes() const;
  void Put(std::string bytes);
  // From now on the file cannot be replaced: every save and clear fails.
  void FailReplacing();
  // From now on the folder cannot be flushed: every save and clear is in
  // the list, but not known to be on the disk.
  void FailFlushingFolder();
  // The file is there but cannot be read, until this is called with false.
  void FailReading(bool failing = true);
  // How often the file was written to.
  int writes() const { return static_cast<int>(files_.Count("write")); }

 private:
  static constexpr const char* kPath = "tavri.rnk";
  FakeFileSystem files_;
  ResultsStore store_;
};

// A file whose only list is the best five of range `range`, best first.
std::string ListFile(XRange range, const std::vector<std::pair<std::string, std::int16_t>>& places);

}  // namespace tavri::test
