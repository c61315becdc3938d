#include "support/memory_results.h"

namespace tavri::test {

std::optional<std::string> MemoryResults::Bytes() const {
  if (!files_.Exists(kPath)) return std::nullopt;
  return files_.Bytes(kPath);
}

void MemoryResults::Put(std::string bytes) { files_.Put(kPath, bytes); }

void MemoryResults::FailReplacing() { files_.failing.insert("rename"); }

void MemoryResults::FailReading(bool failing) {
  if (Node* node = files_.At(kPath)) node->unreadable = failing;
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
