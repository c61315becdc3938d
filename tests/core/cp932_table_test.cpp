// The tables the browser build converts with, against this system's own code
// page 932: glibc's iconv natively, Windows' own conversion under Wine.
// Every character one way; every single byte and every pair the other.
#include "results/core/code_page.h"
#include "results/core/cp932_table.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tavri {
namespace {

std::string Hex(std::string_view bytes) {
  std::string text;
  char byte[4];
  for (unsigned char b : bytes) {
    std::snprintf(byte, sizeof byte, "%02X ", b);
    text += byte;
  }
  return text;
}

TEST(Cp932Table, WritesEveryCharacterAsThisSystemDoes) {
  int differences = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const std::string system = ToCp932(std::u32string_view(&c, 1));
    const std::string table = cp932_table::Encode(c).value_or("?");
    if (system != table && ++differences <= 10)
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << ": system " << Hex(system)
                    << "table " << Hex(table);
  }
  EXPECT_EQ(differences, 0);
}

TEST(Cp932Table, ReadsEveryByteAndPairAsThisSystemDoes) {
  int differences = 0;
  for (unsigned first = 0; first < 256; ++first) {
    for (int second = -1; second < 256; ++second) {
      std::string unit(1, static_cast<char>(first));
      if (second >= 0) unit += static_cast<char>(second);
      const std::u32string system = FromCp932(unit);
      // A pair the system reads as two characters is no unit of the table.
      const std::optional<char32_t> table = cp932_table::Decode(unit);
      const bool same = system.size() == 1 ? table.value_or(U'\uFFFD') == system[0] : !table;
      if (!same && ++differences <= 10)
        ADD_FAILURE() << Hex(unit) << ": system " << system.size() << " characters, first U+"
                      << std::hex << static_cast<unsigned>(system[0]) << "; table U+"
                      << static_cast<unsigned>(table.value_or(0));
    }
  }
  EXPECT_EQ(differences, 0);
}

}  // namespace
}  // namespace tavri
