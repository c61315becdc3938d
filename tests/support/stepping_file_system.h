// Another file system (the real one, usually) with a look-in before every
// step a program takes: a test can act between any two steps of a real
// save (read the file, plant a link, kill the program), or play the clock.
// The steps are named as FakeFileSystem names them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "results/core/file_system.h"

namespace tavri::test {

class SteppingFileSystem : public FileSystem {
 public:
  using Look = std::function<void(const std::string& op, const std::string& path)>;

  SteppingFileSystem(FileSystem& inner, Look before) : inner_(inner), before_(std::move(before)) {}

  // Time goes by only when the program sleeps, and then at once.
  bool playClock = false;
  Clock::time_point playedNow{};

  ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override {
    before_("read", path);
    return inner_.ReadFile(path, links, maxSize, bytes, facts);
  }
  CreateStatus CreateNewFile(const std::string& path, const FileFacts* like,
                             std::unique_ptr<NewFile>& file) override {
    before_("create", path);
    std::unique_ptr<NewFile> inner;
    CreateStatus status = inner_.CreateNewFile(path, like, inner);
    if (inner) file = std::make_unique<File>(*this, path, std::move(inner));
    return status;
  }
  LockStatus TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) override {
    before_("lock", path);
    std::unique_ptr<FileLock> inner;
    LockStatus status = inner_.TryLock(path, inner);
    if (inner) lock = std::make_unique<Lock>(*this, path, std::move(inner));
    return status;
  }
  RenameStatus RenameOver(const std::string& from, const std::string& to) override {
    before_("rename", from);
    return inner_.RenameOver(from, to);
  }
  bool FlushFolder(const std::string& folder) override {
    before_("flushfolder", folder);
    return inner_.FlushFolder(folder);
  }
  void RemoveFile(const std::string& path) override {
    before_("remove", path);
    inner_.RemoveFile(path);
  }
  std::vector<std::string> NamesIn(const std::string& folder) override {
    before_("list", folder);
    return inner_.NamesIn(folder);
  }
  bool CanCreateFilesIn(const std::string& folder) override {
    return inner_.CanCreateFilesIn(folder);
  }
  Clock::time_point Now() override { return playClock ? playedNow : inner_.Now(); }
  void Sleep(Clock::duration duration) override {
    before_("sleep", {});
    if (playClock)
      playedNow += duration;
    else
      inner_.Sleep(duration);
  }

 private:
  class File : public NewFile {
   public:
    File(SteppingFileSystem& disk, std::string path, std::unique_ptr<NewFile> inner)
        : disk_(disk), path_(std::move(path)), inner_(std::move(inner)) {}
    bool Write(std::string_view bytes) override {
      disk_.before_("write", path_);
      return inner_->Write(bytes);
    }
    bool Flush() override {
      disk_.before_("flush", path_);
      return inner_->Flush();
    }
    bool Close() override {
      disk_.before_("close", path_);
      return inner_->Close();
    }

   private:
    SteppingFileSystem& disk_;
    std::string path_;
    std::unique_ptr<NewFile> inner_;
  };

  class Lock : public FileLock {
   public:
    Lock(SteppingFileSystem& disk, std::string path, std::unique_ptr<FileLock> inner)
        : disk_(disk), path_(std::move(path)), inner_(std::move(inner)) {}
    ~Lock() override {
      disk_.before_("unlock", path_);
      inner_.reset();
    }

   private:
    SteppingFileSystem& disk_;
    std::string path_;
    std::unique_ptr<FileLock> inner_;
  };

  FileSystem& inner_;
  Look before_;
};

}  // namespace tavri::test
