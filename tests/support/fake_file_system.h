// An in-memory disk for tests of the results file, with the failures a real
// disk can have: unreadable files, a write that stops part way, a rename
// that is refused, a folder standing where the file should be.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "results/core/file_system.h"

namespace tavri::test {

class FakeFileSystem : public FileSystem {
 public:
  ReadStatus ReadFile(const std::string& path, std::string& bytes) override;
  bool CreateEmptyIfMissing(const std::string& path) override;
  bool WriteFileDurably(const std::string& path, std::string_view bytes) override;
  bool RenameOver(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override { files.erase(path); }
  bool CanCreateFilesIn(const std::string& folder) override {
    return writableFolders.count(folder) != 0;
  }

  std::map<std::string, std::string> files;
  std::set<std::string> folders;     // a folder at this path: no file can be read or put there
  std::set<std::string> unreadable;  // files that exist but cannot be read
  std::set<std::string> writableFolders;
  std::optional<std::size_t> writeFailsAfter;  // bytes that reach the disk before it fails
  bool renameFails = false;
  int writes = 0;
  int renames = 0;
};

}  // namespace tavri::test
