#include "support/fake_file_system.h"

namespace tavri::test {

ReadStatus FakeFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (folders.count(path) || unreadable.count(path)) return ReadStatus::Failed;
  auto file = files.find(path);
  if (file == files.end()) return ReadStatus::Missing;
  bytes = file->second;
  return ReadStatus::Ok;
}

bool FakeFileSystem::CreateEmptyIfMissing(const std::string& path) {
  if (folders.count(path)) return false;
  files.try_emplace(path);
  return true;
}

bool FakeFileSystem::WriteFileDurably(const std::string& path, std::string_view bytes) {
  ++writes;
  if (folders.count(path)) return false;
  if (writeFailsAfter && *writeFailsAfter < bytes.size()) {
    files[path] = std::string(bytes.substr(0, *writeFailsAfter));
    return false;
  }
  files[path] = std::string(bytes);
  return true;
}

bool FakeFileSystem::RenameOver(const std::string& from, const std::string& to) {
  ++renames;
  auto source = files.find(from);
  if (renameFails || folders.count(to) || source == files.end()) return false;
  files[to] = source->second;
  files.erase(source);
  return true;
}

}  // namespace tavri::test
