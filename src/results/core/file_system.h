// The file services the results file needs, behind an interface so that a
// failing disk, another program and the passing of time can be played in
// tests. Each call is one step a save takes, so a test can see their order
// and make any one of them fail. Paths and names are UTF-8.
//
// The results file may lie in a folder a whole class can write. A save opens
// that folder once and does everything in it through what it opened: no
// link above the folder is followed that someone else could have put there,
// nothing at a name in the folder is followed if it is a link, and nothing
// waits on a pipe or a device. Another user can put anything at those names.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavri {

// Missing: no such name. Busy: held by another program for a moment (on
// Windows), or under a lease another program holds (POSIX); worth another
// try. Failed: something is there but it is no plain file that can be read
// (a link, a folder, a pipe, a device, a file too large, no permission).
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

// A folder held open. Names are plain names in it, never paths.
class Folder {
 public:
  virtual ~Folder() = default;

  // The whole file, when it is a plain file of at most maxSize bytes; a link
  // there is Failed, whatever it points to. Never waits for a writer (a
  // pipe) and never reads more than maxSize + 1 bytes. `facts`, when given,
  // receives the file's size, mode and group.
  virtual ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                              FileFacts* facts) = 0;

  // Makes a new, empty file, open for writing: only when nothing at all is
  // at the name (a link there counts as something, and is not followed).
  // Nobody but its owner can open it until it has its permissions: with
  // `like`, that file's mode and, where this program may set it, its group;
  // otherwise 0664 less the umask. (Windows: the folder's permissions, as for
  // any new file.)
  virtual CreateStatus CreateNewFile(const std::string& name, const FileFacts* like,
                                     std::unique_ptr<NewFile>& file) = 0;

  // The lock every save in this folder takes turns with; never waits. No
  // user who may save here can remove or replace it while it is held: POSIX
  // locks the folder itself; Windows locks the file `lockName`, made when
  // missing and kept open so that nobody can delete or rename it meanwhile
  // (anything there but a plain file is Failed).
  virtual LockStatus TryLock(const std::string& lockName, std::unique_ptr<FileLock>& lock) = 0;

  // Puts the file `from` in the place of `to` in one step: afterwards `to`
  // is either the old file or the new one, never a mix. A link at `to` is
  // replaced, not followed.
  virtual RenameStatus RenameOver(const std::string& from, const std::string& to) = 0;

  // Makes the names in the folder (a rename) last through a power cut.
  virtual bool Flush() = 0;

  // Removes the name when it is a plain file; a link, a folder or anything
  // else there stays.
  virtual void RemovePlainFile(const std::string& name) = 0;

  // Shows `visit` the names in the folder, one at a time, until it returns
  // false or there are no more.
  virtual void VisitNames(const std::function<bool(const std::string&)>& visit) = 0;
};

// Open: `folder` holds it. Missing: no such folder. Unsafe: a user other
// than the folder's owner, root and this program's user could put something
// else in its place on the way to it (POSIX: a folder above it that others
// may write, or a link there that someone else made); it is not used.
// Failed: anything else (no folder there, no permission).
enum class FolderStatus { Open, Missing, Unsafe, Failed };

class FileSystem {
 public:
  using Clock = std::chrono::steady_clock;

  virtual ~FileSystem() = default;

  // The whole file at `path`, read as Folder::ReadFile reads a name; with
  // Links::Follow a link at `path` is followed (a settings file an
  // administrator keeps as one).
  virtual ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize,
                              std::string& bytes, FileFacts* facts) = 0;

  // Opens the folder at `path` for the steps of one save or one look.
  virtual FolderStatus OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) = 0;

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
  FolderStatus OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) override;
  bool CanCreateFilesIn(const std::string& folder) override;
  Clock::time_point Now() override { return Clock::now(); }
  void Sleep(Clock::duration duration) override;
};

}  // namespace tavri
