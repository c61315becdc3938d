// The file services the results file needs, behind an interface so that a
// failing disk, another program and the passing of time can be played in
// tests. Each call is one step a save takes, so a test can see their order
// and make any one of them fail. Paths are UTF-8.
//
// The results file may lie in a folder a whole class can write. Nothing here
// follows a link at the name it is given (unless asked to, for a settings
// file an administrator keeps) or waits on a pipe or device: another user
// can put anything at those names.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavri {

// Missing: no such name. Busy: held by another program for a moment (on
// Windows), worth another try. Failed: something is there but it is no
// plain file that can be read (a link, a folder, a pipe, a device, a file
// too large, no permission).
enum class ReadStatus { Ok, Missing, Busy, Failed };

enum class Links { Refuse, Follow };

// What a replacement keeps of the file it replaces.
struct FileFacts {
  std::uint64_t size = 0;
  // Permission bits (POSIX); 0 where the system has none.
  std::uint32_t mode = 0;
  // The owning group (POSIX); -1 where the system has none.
  std::int64_t group = -1;
};

// A file this program has just made, open for writing. Closed (without
// being flushed) when it goes away.
class NewFile {
 public:
  virtual ~NewFile() = default;
  // All of the bytes, or false.
  virtual bool Write(std::string_view bytes) = 0;
  // True once everything written is on the disk (fsync, FlushFileBuffers).
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

// Held while it exists; released when it goes away or the program ends.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

enum class CreateStatus { Created, Exists, Failed };
enum class LockStatus { Locked, Busy, Failed };
enum class RenameStatus { Done, Busy, Failed };

class FileSystem {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~FileSystem() = default;

  // The whole file, when it is a plain file of at most maxSize bytes. With
  // Links::Refuse a link at `path` is Failed, whatever it points to. Never
  // waits for a writer (a pipe) and never reads more than maxSize + 1 bytes.
  // `facts`, when given, receives the file's size, mode and group.
  virtual ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize,
                              std::string& bytes, FileFacts* facts) = 0;

  // Makes a new, empty file at `path`, open for writing: only when nothing
  // at all is there (a link there counts as something, and is not
  // followed). With `like`, the file takes that mode and, where this
  // program may set it, that group; otherwise it is made 0664 before the
  // umask. (Windows: the folder's permissions, as for any new file.)
  virtual CreateStatus CreateNewFile(const std::string& path, const FileFacts* like,
                                     std::unique_ptr<NewFile>& file) = 0;

  // An exclusive lock on the lock file at `path`, made when missing (empty,
  // readable by everyone who may lock it); never waits. A link or anything
  // but a plain file there is Failed.
  virtual LockStatus TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) = 0;

  // Puts the file `from` in the place of `to` in one step: afterwards `to`
  // is either the old file or the new one, never a mix. A link at `to` is
  // replaced, not followed.
  virtual RenameStatus RenameOver(const std::string& from, const std::string& to) = 0;

  // Makes the names in the folder (a rename) last through a power cut.
  virtual bool FlushFolder(const std::string& folder) = 0;

  // Removes the name (a link itself, never what it points to).
  virtual void RemoveFile(const std::string& path) = 0;

  // The names of the entries in the folder; empty when it cannot be read.
  virtual std::vector<std::string> NamesIn(const std::string& folder) = 0;

  // Whether this program can create files in the folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;

  // Waiting for another program: a lock held, a file in use. Tests play
  // the time so that they never really wait.
  virtual Clock::time_point Now() = 0;
  virtual void Sleep(Clock::duration duration) = 0;
};

// The file services of the system the program runs on.
class SystemFileSystem : public FileSystem {
 public:
  ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override;
  CreateStatus CreateNewFile(const std::string& path, const FileFacts* like,
                             std::unique_ptr<NewFile>& file) override;
  LockStatus TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) override;
  RenameStatus RenameOver(const std::string& from, const std::string& to) override;
  bool FlushFolder(const std::string& folder) override;
  void RemoveFile(const std::string& path) override;
  std::vector<std::string> NamesIn(const std::string& folder) override;
  bool CanCreateFilesIn(const std::string& folder) override;
  Clock::time_point Now() override { return Clock::now(); }
  void Sleep(Clock::duration duration) override;
};

}  // namespace tavri
