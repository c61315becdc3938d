// An in-memory disk for tests of the results file, with what a real disk
// and other programs can do to it: links, folders, pipes and devices where a
// file should be, unreadable and huge files, a write that stops part way, a
// refused rename, a lock another program holds, a program that dies at any
// step, and a power cut that keeps only what was flushed. It records every
// step a program takes, in order, and can make any one of them fail.
//
// Durability is modelled the way a POSIX file system gives it: written
// bytes last through a power cut once the file is flushed, and a new name
// (a created file, a rename, a removal) once its folder is flushed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "results/core/file_system.h"

namespace tavri::test {

// Thrown when the program's budget of steps runs out: it dies right there,
// as if killed. Nothing it would do afterwards reaches the disk.
struct ProgramDied {};

enum class NodeKind { File, Folder, Link, Pipe, Device };

struct Node {
  NodeKind kind = NodeKind::File;
  std::string bytes;                        // what programs read now
  std::string durableBytes;                 // what is left after a power cut
  std::optional<std::uint64_t> sparseSize;  // a huge file, of this size
  std::uint32_t mode = 0664;
  std::int64_t group = 100;
  std::string target;  // a link's
  bool unreadable = false;
};

// One step a program took: "open" (a folder), "read", "create", "lock" (a
// folder), "unlock", "write", "flush", "close", "rename" (path → to),
// "flushfolder", "remove", "list" (a folder).
struct Step {
  std::string op;
  std::string path;
  std::string to;
};

class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem();
  ~FakeFileSystem() override;

  // --- The scene: each of these is on the disk for good ---------------------
  void Put(const std::string& path, const std::string& bytes, std::uint32_t mode = 0664,
           std::int64_t group = 100);
  void PutFolder(const std::string& path);
  void PutLink(const std::string& path, const std::string& target);
  void PutPipe(const std::string& path);
  void PutDevice(const std::string& path);
  void PutSparse(const std::string& path, std::uint64_t size);

  // --- Looking ---------------------------------------------------------------
  bool Exists(const std::string& path) const;
  bool IsFile(const std::string& path) const;
  // A file's bytes as programs read them now; empty for anything else.
  std::string Bytes(const std::string& path) const;
  Node* At(const std::string& path);
  // Every name there is, in order.
  std::vector<std::string> Names() const;
  // What saves of the list at `listPath` left: names `listPath`.tmp-….
  std::vector<std::string> Leftovers(const std::string& listPath) const;
  // The steps' ops, in order; how many steps of one op were taken.
  std::vector<std::string> Ops() const;
  std::size_t Count(const std::string& op) const;

  // --- What happens to the disk ----------------------------------------------
  // Only what was flushed is left: file contents and names alike.
  void PowerCut();
  // After a death or a power cut: the next run of the program, with the disk
  // as it is; locks the dead program held are free.
  void Restart();

  // --- Faults ----------------------------------------------------------------
  std::vector<Step> steps;
  std::set<std::string> failing;      // every step of these ops fails
  std::optional<std::size_t> failAt;  // the step with this index fails
  // Bytes a file can still take before a write fails (a full disk).
  std::optional<std::size_t> writeFailsAfter;
  // Units left before the program dies: each step costs one, each byte
  // written one more.
  std::optional<std::size_t> budget;
  bool dead = false;
  // Folders whose lock another program holds now.
  std::set<std::string> lockedElsewhere;
  // Reads and renames another program keeps waiting for this many tries
  // (a file held open on Windows).
  std::map<std::string, int> busyReads, busyRenames;
  // Folders that take no new file and no rename.
  std::set<std::string> readOnlyFolders;
  // Folders that are not there, and folders others could replace.
  std::set<std::string> missingFolders, unsafeFolders;
  // For CanCreateFilesIn.
  std::set<std::string> writableFolders;
  // What a new file that copies no other gets, after the umask.
  std::uint32_t umask = 002;
  std::int64_t userGroup = 100;
  // Another program acting just before a step is taken (and before every
  // sleep, with op "sleep").
  std::function<void(const std::string& op, const std::string& path)> beforeStep;

  // --- Time --------------------------------------------------------------------
  Clock::time_point now{};
  int sleeps = 0;
  // How long each step takes.
  Clock::duration stepTime{};

  // --- FileSystem ------------------------------------------------------------
  ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override;
  FolderStatus OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) override;
  bool CanCreateFilesIn(const std::string& folder) override {
    return writableFolders.count(folder) != 0;
  }
  Clock::time_point Now() override { return now; }
  void Sleep(Clock::duration duration) override;

  // --- What an open folder does, by whole paths -------------------------------
  CreateStatus CreateNewFile(const std::string& path, const FileFacts* like,
                             std::unique_ptr<NewFile>& file);
  LockStatus TryLock(const std::string& folder, std::unique_ptr<FileLock>& lock);
  RenameStatus RenameOver(const std::string& from, const std::string& to);
  bool FlushFolder(const std::string& folder);
  void RemovePlainFile(const std::string& path);
  std::vector<std::string> NamesIn(const std::string& folder);

  // The folders whose lock this program holds now.
  std::set<std::string> held;

  // Used by the files and locks it hands out.
  bool Take(const std::string& op, const std::string& path, const std::string& to = {});
  void Spend(std::size_t units);
  void Unlocked(const std::string& path);

 private:
  using Names_ = std::map<std::string, std::shared_ptr<Node>>;
  void PutNode(const std::string& path, Node node);
  Names_ names_;         // what programs see
  Names_ durableNames_;  // what a power cut leaves
};

}  // namespace tavri::test
