// A folder of the test's own under the system's temporary folder, removed
// with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tavri::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A path inside the folder, as the program spells paths (UTF-8).
  std::string operator/(const std::string& name) const;
  // What saves left in the folder: files named "tavri.rnk.tmp…".
  std::vector<std::string> Leftovers() const;

 private:
  std::filesystem::path path_;
};

// A path as the program spells it (UTF-8), for std::filesystem.
std::filesystem::path FsPath(const std::string& utf8);

// A file's bytes, or an empty text when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace tavri::test
