// The code page conversion is the platform's own; these checks run natively
// (glibc) and under Wine (Windows), so both sides must agree on them.
#include "results/core/code_page.h"

#include <gtest/gtest.h>

namespace tavri {
namespace {

TEST(CodePage, WritesTheWindowsFormsOfWaveDashAndMinus) {
  EXPECT_EQ(ToCp932(U"～"), "\x81\x60");
  EXPECT_EQ(ToCp932(U"－"), "\x81\x7C");
  EXPECT_EQ(FromCp932("\x81\x60"), U"～");
  EXPECT_EQ(FromCp932("\x81\x7C"), U"－");
}

TEST(CodePage, RoundTripsKanaKanjiAndAscii) {
  EXPECT_EQ(ToCp932(U"たろう"), "\x82\xBD\x82\xEB\x82\xA4");
  const std::u32string text = U"Abc 1 山田ｱｲ①";
  EXPECT_EQ(FromCp932(ToCp932(text)), text);
  EXPECT_EQ(ToCp932(U"ｱ"), "\xB1");  // half-width katakana is one byte
}

TEST(CodePage, CharactersItCannotHoldBecomeAQuestionMark) {
  EXPECT_EQ(ToCp932(U"é"), "?");
  EXPECT_EQ(ToCp932(U"a\U0001F600b"), "a?b");  // beyond 16 bits: still one "?"
  EXPECT_EQ(ToCp932(std::u32string(1, char32_t{0xD800})), "?");
  EXPECT_EQ(ToCp932(std::u32string(1, char32_t{0x110000})), "?");
}

TEST(CodePage, BytesThatAreNoCharacterReadAsReplacement) {
  // A lead byte followed by a blank: the lead stands alone, the blank stays.
  EXPECT_EQ(FromCp932("\x81 A"), U"\uFFFD A");
  EXPECT_EQ(FromCp932("\xFF\x80"), U"\uFFFD\uFFFD");
  // A pair of the right shape that the code page leaves unassigned.
  EXPECT_EQ(FromCp932("\x85\x40"), U"\uFFFD");
  // A lead byte cut off at the end of the field.
  EXPECT_EQ(FromCp932("AB\x82"), U"AB\uFFFD");
  EXPECT_EQ(FromCp932(""), U"");
}

}  // namespace
}  // namespace tavri
