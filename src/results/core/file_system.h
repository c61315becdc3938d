// The file services the results file needs, behind an interface so that a
// failing disk can be played in tests. Paths are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tavri {

enum class ReadStatus { Ok, Missing, Failed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The whole file. Missing only when there is no such file; anything else
  // that keeps it from being read (a folder in its place, a lock) is Failed.
  virtual ReadStatus ReadFile(const std::string& path, std::string& bytes) = 0;
  // Creates an empty file when none exists; an existing one is left alone.
  virtual bool CreateEmptyIfMissing(const std::string& path) = 0;
  // Writes a file with exactly these bytes (replacing any file of that name)
  // and returns true only once they are on the disk.
  virtual bool WriteFileDurably(const std::string& path, std::string_view bytes) = 0;
  // Puts the file `from` in the place of `to` in one step: afterwards `to` is
  // either the old file or the new one, never a mix.
  virtual bool RenameOver(const std::string& from, const std::string& to) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  // Whether this program can create files in the folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;
};

// The file services of the system the program runs on.
class SystemFileSystem : public FileSystem {
 public:
  ReadStatus ReadFile(const std::string& path, std::string& bytes) override;
  bool CreateEmptyIfMissing(const std::string& path) override;
  bool WriteFileDurably(const std::string& path, std::string_view bytes) override;
  bool RenameOver(const std::string& from, const std::string& to) override;
  void RemoveFile(const std::string& path) override;
  bool CanCreateFilesIn(const std::string& folder) override;
};

// The folder and the file name joined with the system's separator, unless
// the folder already ends with one (the root of a drive does).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tavri
