#include "results/core/cp932_table.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tavri::cp932_table {
namespace {

#include "cp932_table_data.inc"

constexpr std::uint16_t kNone = 0xFFFF;

int LeadIndex(unsigned char lead) {
  if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + (0x9F - 0x81 + 1);
  return -1;
}

struct Encoding {
  std::uint16_t character;
  std::uint16_t bytes;  // one byte, or lead * 256 + trail
};

// Writing is the inverse of reading: the first single byte or pair that
// reads as the character, leaving out lead bytes ED and EE (the NEC-selected
// IBM extensions, which glibc and Windows read but write as their FA-FC
// twins). The generator checks this rule against glibc for every character.
const std::vector<Encoding>& Encodings() {
  static const std::vector<Encoding> encodings = [] {
    std::vector<Encoding> all;
    for (int byte = 0; byte < 256; ++byte)
      if (kSingleBytes[byte] != kNone)
        all.push_back({kSingleBytes[byte], static_cast<std::uint16_t>(byte)});
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      const int row = LeadIndex(static_cast<unsigned char>(lead));
      if (row < 0 || lead == 0xED || lead == 0xEE) continue;
      for (int trail = 0; trail < kTrailCount; ++trail)
        if (kPairs[row][trail] != kNone)
          all.push_back({kPairs[row][trail], static_cast<std::uint16_t>(lead * 256 + 0x40 + trail)});
    }
    std::stable_sort(all.begin(), all.end(),
                     [](Encoding a, Encoding b) { return a.character < b.character; });
    all.erase(std::unique(all.begin(), all.end(),
                          [](Encoding a, Encoding b) { return a.character == b.character; }),
              all.end());
    return all;
  }();
  return encodings;
}

}  // namespace

std::optional<std::string> Encode(char32_t c) {
  if (c >= kNone) return std::nullopt;
  const std::vector<Encoding>& encodings = Encodings();
  auto found = std::lower_bound(encodings.begin(), encodings.end(), c,
                                [](Encoding e, char32_t wanted) { return e.character < wanted; });
  if (found == encodings.end() || found->character != c) return std::nullopt;
  if (found->bytes < 256) return std::string(1, static_cast<char>(found->bytes));
  return std::string{static_cast<char>(found->bytes >> 8), static_cast<char>(found->bytes & 0xFF)};
}

std::optional<char32_t> Decode(std::string_view unit) {
  std::uint16_t c = kNone;
  if (unit.size() == 1) {
    c = kSingleBytes[static_cast<unsigned char>(unit[0])];
  } else if (unit.size() == 2) {
    const int row = LeadIndex(static_cast<unsigned char>(unit[0]));
    const int trail = static_cast<unsigned char>(unit[1]) - 0x40;
    if (row >= 0 && trail >= 0 && trail < kTrailCount) c = kPairs[row][trail];
  }
  if (c == kNone) return std::nullopt;
  return c;
}

}  // namespace tavri::cp932_table
