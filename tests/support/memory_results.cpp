#include "support/memory_results.h"

namespace tavri::test {

std::optional<std::string> MemoryResults::Bytes() const {
  const auto file = files_.files.find(kPath);
  if (file == files_.files.end()) return std::nullopt;
  return file->second;
}

void MemoryResults::Put(std::string bytes) { files_.files[kPath] = std::move(bytes); }

void MemoryResults::FailReplacing() { files_.renameFails = true; }

void MemoryResults::FailReading(bool failing) {
  if (failing)
    files_.unreadable.insert(kPath);
  else
    files_.unreadable.erase(kPath);
}

std::string RecordBytes(const std::string& nameBytes, std::int16_t score) {
  std::string bytes = nameBytes;
  bytes.resize(10, ' ');
  const auto raw = static_cast<std::uint16_t>(score);
  bytes += static_cast<char>(raw & 0xFF);
  bytes += static_cast<char>(raw >> 8);
  return bytes;
}

std::string BlankRecords(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += RecordBytes("", 0);
  return bytes;
}

std::string ListFile(XRange range,
                     const std::vector<std::pair<std::string, std::int16_t>>& places) {
  std::string bytes = BlankRecords(5 * RangeIndex(range));
  for (const auto& [name, score] : places) bytes += RecordBytes(name, score);
  return bytes;
}

}  // namespace tavri::test
