#include "support/memory_results.h"

namespace tavri::test {

std::optional<std::string> MemoryResults::Bytes() const {
  if (!files_.Exists(kPath)) return std::nullopt;
  return files_.Bytes(kPath);
}

void MemoryResults::Put(std::string bytes) { files_.Put(kPath, bytes); }

void MemoryResults::FailReplacing() { files_.failing.insert("rename"); }

void MemoryResults::FailFlushingFolder() { files_.failing.insert("flushfolder"); }

void MemoryResults::FailReading(bool failing) {
  if (Node* node = files_.At(kPath)) node->unreadable = failing;
}

std::string ListFile(XRange range,
                     const std::vector<std::pair<std::string, std::int16_t>>& places) {
  std::string bytes = BlankRecords(5 * static_cast<std::size_t>(RangeIndex(range)));
  for (const auto& [name, score] : places) bytes += RecordBytes(name, score);
  return bytes;
}

}  // namespace tavri::test
