#include "support/fake_file_system.h"

#include "results/core/results_location.h"

namespace tavri::test {

namespace {

class FakeNewFile : public NewFile {
 public:
  FakeNewFile(FakeFileSystem& disk, std::string path, std::shared_ptr<Node> node)
      : disk_(disk), path_(std::move(path)), node_(std::move(node)) {}

  bool Write(std::string_view bytes) override {
    if (closed_ || !disk_.Take("write", path_)) return false;
    std::size_t fits = bytes.size();
    if (disk_.writeFailsAfter) {
      std::size_t room = node_->bytes.size() < *disk_.writeFailsAfter
                             ? *disk_.writeFailsAfter - node_->bytes.size()
                             : 0;
      fits = std::min(fits, room);
    }
    if (disk_.budget && *disk_.budget < fits) {
      node_->bytes.append(bytes.substr(0, *disk_.budget));
      disk_.Spend(*disk_.budget + 1);  // dies
    }
    disk_.Spend(fits);
    node_->bytes.append(bytes.substr(0, fits));
    return fits == bytes.size();
  }
  bool Flush() override {
    if (closed_ || !disk_.Take("flush", path_)) return false;
    node_->durableBytes = node_->bytes;
    return true;
  }
  bool Close() override {
    if (closed_) return false;
    closed_ = true;
    return disk_.Take("close", path_);
  }

 private:
  FakeFileSystem& disk_;
  std::string path_;
  std::shared_ptr<Node> node_;
  bool closed_ = false;
};

// A path in the folder, spelled as the folder is (the tests' paths use "/"
// on every platform).
std::string PathIn(const std::string& folder, const std::string& name) {
  if (folder == ".") return name;
  if (folder.ends_with('/') || folder.ends_with('\\')) return folder + name;
  const bool backslashes =
      folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
  return folder + (backslashes ? '\\' : '/') + name;
}

class FakeFolder : public Folder {
 public:
  FakeFolder(FakeFileSystem& disk, std::string path) : disk_(disk), path_(std::move(path)) {}

  ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override {
    return disk_.ReadFile(PathIn(path_, name), Links::Refuse, maxSize, bytes, facts);
  }
  CreateStatus CreateNewFile(const std::string& name, const FileFacts* like,
                             std::unique_ptr<NewFile>& file) override {
    return disk_.CreateNewFile(PathIn(path_, name), like, file);
  }
  LockStatus TryLock(const std::string&, std::unique_ptr<FileLock>& lock) override {
    return disk_.TryLock(path_, lock);
  }
  RenameStatus RenameOver(const std::string& from, const std::string& to) override {
    return disk_.RenameOver(PathIn(path_, from), PathIn(path_, to));
  }
  bool Flush() override { return disk_.FlushFolder(path_); }
  void RemovePlainFile(const std::string& name) override {
    disk_.RemovePlainFile(PathIn(path_, name));
  }
  void VisitNames(const std::function<bool(const std::string&)>& visit) override {
    for (const std::string& name : disk_.NamesIn(path_))
      if (!visit(name)) break;
  }

 private:
  FakeFileSystem& disk_;
  std::string path_;
};

class FakeLock : public FileLock {
 public:
  FakeLock(FakeFileSystem& disk, std::string path) : disk_(disk), path_(std::move(path)) {}
  ~FakeLock() override { disk_.Unlocked(path_); }

 private:
  FakeFileSystem& disk_;
  std::string path_;
};

Node OfKind(NodeKind kind) {
  Node node;
  node.kind = kind;
  return node;
}

}  // namespace

FakeFileSystem::FakeFileSystem() = default;
FakeFileSystem::~FakeFileSystem() = default;

void FakeFileSystem::PutNode(const std::string& path, Node node) {
  node.durableBytes = node.bytes;
  auto shared = std::make_shared<Node>(std::move(node));
  names_[path] = shared;
  durableNames_[path] = shared;
}

void FakeFileSystem::Put(const std::string& path, const std::string& bytes, std::uint32_t mode,
                         std::int64_t group) {
  Node node;
  node.bytes = bytes;
  node.mode = mode;
  node.group = group;
  PutNode(path, std::move(node));
}

void FakeFileSystem::PutFolder(const std::string& path) { PutNode(path, OfKind(NodeKind::Folder)); }

void FakeFileSystem::PutLink(const std::string& path, const std::string& target) {
  Node node = OfKind(NodeKind::Link);
  node.target = target;
  PutNode(path, std::move(node));
}

void FakeFileSystem::PutPipe(const std::string& path) { PutNode(path, OfKind(NodeKind::Pipe)); }

void FakeFileSystem::PutDevice(const std::string& path) { PutNode(path, OfKind(NodeKind::Device)); }

void FakeFileSystem::PutSparse(const std::string& path, std::uint64_t size) {
  Node node;
  node.sparseSize = size;
  PutNode(path, std::move(node));
}

bool FakeFileSystem::Exists(const std::string& path) const { return names_.count(path) != 0; }

bool FakeFileSystem::IsFile(const std::string& path) const {
  auto found = names_.find(path);
  return found != names_.end() && found->second->kind == NodeKind::File;
}

std::string FakeFileSystem::Bytes(const std::string& path) const {
  auto found = names_.find(path);
  if (found == names_.end() || found->second->kind != NodeKind::File) return {};
  return found->second->bytes;
}

Node* FakeFileSystem::At(const std::string& path) {
  auto found = names_.find(path);
  return found == names_.end() ? nullptr : found->second.get();
}

std::vector<std::string> FakeFileSystem::Names() const {
  std::vector<std::string> all;
  for (const auto& [name, node] : names_) all.push_back(name);
  return all;
}

std::vector<std::string> FakeFileSystem::Leftovers(const std::string& listPath) const {
  std::vector<std::string> found;
  for (const auto& [name, node] : names_)
    if (name.starts_with(listPath + ".tmp-")) found.push_back(name);
  return found;
}

std::vector<std::string> FakeFileSystem::Ops() const {
  std::vector<std::string> ops;
  for (const Step& step : steps) ops.push_back(step.op);
  return ops;
}

std::size_t FakeFileSystem::Count(const std::string& op) const {
  std::size_t count = 0;
  for (const Step& step : steps) count += step.op == op;
  return count;
}

void FakeFileSystem::PowerCut() {
  names_ = durableNames_;
  for (auto& [name, node] : names_) node->bytes = node->durableBytes;
  Restart();
}

void FakeFileSystem::Restart() {
  dead = false;
  held.clear();
  budget.reset();
}

bool FakeFileSystem::Take(const std::string& op, const std::string& path, const std::string& to) {
  if (dead) return false;
  if (beforeStep) beforeStep(op, path);
  const std::size_t index = steps.size();
  steps.push_back(Step{op, path, to});
  now += stepTime;
  Spend(1);
  return failing.count(op) == 0 && failAt != index;
}

void FakeFileSystem::Spend(std::size_t units) {
  if (!budget) return;
  if (*budget < units) {
    budget = 0;
    dead = true;
    throw ProgramDied{};
  }
  *budget -= units;
}

void FakeFileSystem::Unlocked(const std::string& path) {
  held.erase(path);
  // A dead program's locks go with it; it takes no step any more.
  if (!dead) steps.push_back(Step{"unlock", path, {}});
}

ReadStatus FakeFileSystem::ReadFile(const std::string& path, Links links, std::size_t maxSize,
                                    std::string& bytes, FileFacts* facts) {
  bytes.clear();
  if (!Take("read", path)) return ReadStatus::Failed;
  if (auto busy = busyReads.find(path); busy != busyReads.end() && busy->second > 0) {
    --busy->second;
    return ReadStatus::Busy;
  }
  std::string at = path;
  for (int hops = 0;; ++hops) {
    auto found = names_.find(at);
    if (found == names_.end()) return ReadStatus::Missing;
    const Node& node = *found->second;
    if (node.kind == NodeKind::Link) {
      if (links == Links::Refuse || hops == 8) return ReadStatus::Failed;
      at = node.target;
      continue;
    }
    if (node.kind != NodeKind::File || node.unreadable) return ReadStatus::Failed;
    const std::uint64_t size = node.sparseSize.value_or(node.bytes.size());
    if (size > maxSize) return ReadStatus::Failed;
    bytes = node.bytes;
    if (facts) *facts = FileFacts{size, node.mode, node.group};
    return ReadStatus::Ok;
  }
}

CreateStatus FakeFileSystem::CreateNewFile(const std::string& path, const FileFacts* like,
                                           std::unique_ptr<NewFile>& file) {
  if (!Take("create", path)) return CreateStatus::Failed;
  if (names_.count(path)) return CreateStatus::Exists;
  if (readOnlyFolders.count(FolderOf(path))) return CreateStatus::Failed;
  auto node = std::make_shared<Node>();
  node->mode = like ? like->mode : (0664 & ~umask);
  node->group = like && like->group >= 0 ? like->group : userGroup;
  names_[path] = node;
  file = std::make_unique<FakeNewFile>(*this, path, node);
  return CreateStatus::Created;
}

FolderStatus FakeFileSystem::OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) {
  if (!Take("open", path)) return FolderStatus::Failed;
  if (missingFolders.count(path)) return FolderStatus::Missing;
  if (unsafeFolders.count(path)) return FolderStatus::Unsafe;
  if (auto found = names_.find(path);
      found != names_.end() && found->second->kind != NodeKind::Folder)
    return FolderStatus::Failed;
  folder = std::make_unique<FakeFolder>(*this, path);
  return FolderStatus::Open;
}

LockStatus FakeFileSystem::TryLock(const std::string& folder, std::unique_ptr<FileLock>& lock) {
  if (!Take("lock", folder)) return LockStatus::Failed;
  if (lockedElsewhere.count(folder) || held.count(folder)) return LockStatus::Busy;
  held.insert(folder);
  lock = std::make_unique<FakeLock>(*this, folder);
  return LockStatus::Locked;
}

RenameStatus FakeFileSystem::RenameOver(const std::string& from, const std::string& to) {
  if (!Take("rename", from, to)) return RenameStatus::Failed;
  if (auto busy = busyRenames.find(to); busy != busyRenames.end() && busy->second > 0) {
    --busy->second;
    return RenameStatus::Busy;
  }
  auto source = names_.find(from);
  if (source == names_.end() || readOnlyFolders.count(FolderOf(to))) return RenameStatus::Failed;
  if (auto target = names_.find(to);
      target != names_.end() && target->second->kind == NodeKind::Folder)
    return RenameStatus::Failed;
  names_[to] = source->second;
  names_.erase(from);
  return RenameStatus::Done;
}

bool FakeFileSystem::FlushFolder(const std::string& folder) {
  if (!Take("flushfolder", folder)) return false;
  for (auto it = durableNames_.begin(); it != durableNames_.end();) {
    if (FolderOf(it->first) == folder && !names_.count(it->first))
      it = durableNames_.erase(it);
    else
      ++it;
  }
  for (const auto& [name, node] : names_)
    if (FolderOf(name) == folder) durableNames_[name] = node;
  return true;
}

void FakeFileSystem::RemovePlainFile(const std::string& path) {
  if (!Take("remove", path)) return;
  auto found = names_.find(path);
  if (found != names_.end() && found->second->kind == NodeKind::File) names_.erase(found);
}

std::vector<std::string> FakeFileSystem::NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!Take("list", folder)) return names;
  for (const auto& [name, node] : names_)
    if (FolderOf(name) == folder) names.emplace_back(FileNameOf(name));
  return names;
}

void FakeFileSystem::Sleep(Clock::duration duration) {
  if (beforeStep) beforeStep("sleep", {});
  now += duration;
  ++sleeps;
}

}  // namespace tavri::test
