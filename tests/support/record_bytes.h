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

}  // namespace tavri::test
