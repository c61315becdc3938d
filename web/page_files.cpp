#include "page_files.h"

#include <functional>
#include <utility>

#include "results/core/results_location.h"

namespace tavri {

namespace {

class PageFile : public NewFile {
 public:
  explicit PageFile(std::string& bytes) : bytes_(bytes) {}
  bool Write(std::string_view bytes) override {
    bytes_.append(bytes);
    return true;
  }
  bool Flush() override { return true; }
  bool Close() override { return true; }

 private:
  std::string& bytes_;
};

// The page's lock on the list is held already, around the whole event.
class HeldLock : public FileLock {};

// The one folder of the page's storage.
class PageFolder : public Folder {
 public:
  explicit PageFolder(std::map<std::string, std::string>& files) : files_(files) {}

  ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override {
    const auto found = files_.find(name);
    if (found == files_.end()) return ReadStatus::Missing;
    if (found->second.size() > maxSize) return ReadStatus::Failed;
    bytes = found->second;
    if (facts) *facts = FileFacts{bytes.size(), 0, -1};
    return ReadStatus::Ok;
  }

  CreateStatus CreateNewFile(const std::string& name, const FileFacts*,
                             std::unique_ptr<NewFile>& file) override {
    const auto [made, created] = files_.emplace(name, std::string());
    if (!created) return CreateStatus::Exists;
    file = std::make_unique<PageFile>(made->second);
    return CreateStatus::Created;
  }

  LockStatus TryLock(const std::string&, std::unique_ptr<FileLock>& lock) override {
    lock = std::make_unique<HeldLock>();
    return LockStatus::Locked;
  }

  RenameStatus RenameOver(const std::string& from, const std::string& to) override {
    const auto found = files_.find(from);
    if (found == files_.end()) return RenameStatus::Failed;
    std::string bytes = std::move(found->second);
    files_.erase(found);
    files_.insert_or_assign(to, std::move(bytes));
    return RenameStatus::Done;
  }

  bool Flush() override { return true; }
  void RemovePlainFile(const std::string& name) override { files_.erase(name); }

  void VisitNames(const std::function<bool(const std::string&)>& visit) override {
    for (const auto& entry : files_)
      if (!visit(entry.first)) return;
  }

 private:
  std::map<std::string, std::string>& files_;
};

}  // namespace

void PageFiles::Put(Stored stored, std::string bytes) {
  usable_ = stored != Stored::Unusable;
  files_.clear();
  if (stored == Stored::Present) files_.emplace(path_, std::move(bytes));
  before_ = file();
}

std::optional<std::string> PageFiles::file() const {
  const auto found = files_.find(path_);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

ReadStatus PageFiles::ReadFile(const std::string& path, Links, std::size_t maxSize,
                               std::string& bytes, FileFacts* facts) {
  if (!usable_) return ReadStatus::Failed;
  return PageFolder(files_).ReadFile(std::string(FileNameOf(path)), maxSize, bytes, facts);
}

FolderStatus PageFiles::OpenFolder(const std::string&, std::unique_ptr<Folder>& folder) {
  if (!usable_) return FolderStatus::Failed;
  folder = std::make_unique<PageFolder>(files_);
  return FolderStatus::Open;
}

}  // namespace tavri
