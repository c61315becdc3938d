#include "page_files.h"

#include <utility>

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
  const auto found = files_.find(path);
  if (found == files_.end()) return ReadStatus::Missing;
  if (found->second.size() > maxSize) return ReadStatus::Failed;
  bytes = found->second;
  if (facts) *facts = FileFacts{bytes.size(), 0, -1};
  return ReadStatus::Ok;
}

CreateStatus PageFiles::CreateNewFile(const std::string& path, const FileFacts*,
                                      std::unique_ptr<NewFile>& file) {
  if (!usable_) return CreateStatus::Failed;
  const auto [made, created] = files_.emplace(path, std::string());
  if (!created) return CreateStatus::Exists;
  file = std::make_unique<PageFile>(made->second);
  return CreateStatus::Created;
}

LockStatus PageFiles::TryLock(const std::string&, std::unique_ptr<FileLock>& lock) {
  if (!usable_) return LockStatus::Failed;
  lock = std::make_unique<HeldLock>();
  return LockStatus::Locked;
}

RenameStatus PageFiles::RenameOver(const std::string& from, const std::string& to) {
  const auto found = files_.find(from);
  if (!usable_ || found == files_.end()) return RenameStatus::Failed;
  std::string bytes = std::move(found->second);
  files_.erase(found);
  files_.insert_or_assign(to, std::move(bytes));
  return RenameStatus::Done;
}

std::vector<std::string> PageFiles::NamesIn(const std::string&) {
  std::vector<std::string> names;
  for (const auto& entry : files_) names.push_back(entry.first);
  return names;
}

}  // namespace tavri
