// Another file system (the real one, usually) with a look-in before every
// step a program takes: a test can act between any two steps of a real
// save (read the file, plant a link, kill the program), or play the clock.
// The steps are named as FakeFileSystem names them, with whole paths.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "results/core/file_system.h"
#include "results/core/results_location.h"

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
  FolderStatus OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) override {
    before_("open", path);
    std::unique_ptr<Folder> inner;
    FolderStatus status = inner_.OpenFolder(path, inner);
    if (inner) folder = std::make_unique<SteppingFolder>(*this, path, std::move(inner));
    return status;
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

  class SteppingFolder : public Folder {
   public:
    SteppingFolder(SteppingFileSystem& disk, std::string path, std::unique_ptr<Folder> inner)
        : disk_(disk), path_(std::move(path)), inner_(std::move(inner)) {}

    ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                        FileFacts* facts) override {
      disk_.before_("read", At(name));
      return inner_->ReadFile(name, maxSize, bytes, facts);
    }
    CreateStatus CreateNewFile(const std::string& name, const FileFacts* like,
                               std::unique_ptr<NewFile>& file) override {
      disk_.before_("create", At(name));
      std::unique_ptr<NewFile> inner;
      CreateStatus status = inner_->CreateNewFile(name, like, inner);
      if (inner) file = std::make_unique<File>(disk_, At(name), std::move(inner));
      return status;
    }
    LockStatus TryLock(const std::string& lockName, std::unique_ptr<FileLock>& lock) override {
      disk_.before_("lock", path_);
      std::unique_ptr<FileLock> inner;
      LockStatus status = inner_->TryLock(lockName, inner);
      if (inner) lock = std::make_unique<Lock>(disk_, path_, std::move(inner));
      return status;
    }
    RenameStatus RenameOver(const std::string& from, const std::string& to) override {
      disk_.before_("rename", At(from));
      return inner_->RenameOver(from, to);
    }
    bool Flush() override {
      disk_.before_("flushfolder", path_);
      return inner_->Flush();
    }
    void RemovePlainFile(const std::string& name) override {
      disk_.before_("remove", At(name));
      inner_->RemovePlainFile(name);
    }
    void VisitNames(const std::function<bool(const std::string&)>& visit) override {
      disk_.before_("list", path_);
      inner_->VisitNames(visit);
    }

   private:
    std::string At(const std::string& name) const { return JoinPath(path_, name); }

    SteppingFileSystem& disk_;
    std::string path_;
    std::unique_ptr<Folder> inner_;
  };

  FileSystem& inner_;
  Look before_;
};

}  // namespace tavri::test
