// Results-file bytes written out by hand, so that the tests do not read the
// file through the codec they test. Header only: the fault tests use it
// without the support library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavri::test {

// One 12-byte record: the name's bytes padded with blanks, then the score
// little-endian.
inline std::string RecordBytes(const std::string& nameBytes, std::int16_t score) {
  std::string bytes = nameBytes;
  bytes.resize(10, ' ');
  const auto raw = static_cast<std::uint16_t>(score);
  bytes += static_cast<char>(raw & 0xFF);
  bytes += static_cast<char>(raw >> 8);
  return bytes;
}

inline std::string BlankRecords(std::size_t count) {
  std::string bytes;
  for (std::size_t i = 0; i < count; ++i) bytes += RecordBytes("", 0);
  return bytes;
}

// A full first list, "OLD0" 50 down to "OLD4" 10: what a save of 42 changes.
inline std::string FullList() {
  std::string bytes;
  for (int p = 0; p < 5; ++p)
    bytes += RecordBytes("OLD" + std::to_string(p), static_cast<std::int16_t>(50 - 10 * p));
  return bytes;
}

}  // namespace tavri::test
