// The 12-byte record of the results file, and names as the list shows them.
#include "results/core/rank_codec.h"

#include <gtest/gtest.h>

namespace tavri {
namespace {

std::string Field(std::u32string_view name) { return NameField(name); }

TEST(NameField, PadsWithBlanksToTenBytes) {
  EXPECT_EQ(Field(U"ABC"), "ABC       ");
  EXPECT_EQ(Field(U"たろう"), "\x82\xBD\x82\xEB\x82\xA4    ");
  EXPECT_EQ(Field(U""), std::string(10, ' '));
}

TEST(NameField, CutsToTenBytesWithoutSplittingACharacter) {
  EXPECT_EQ(Field(U"ABCDEFGHIJKL"), "ABCDEFGHIJ");
  // a + five double-byte characters is 11 bytes: "お" is left off whole.
  EXPECT_EQ(Field(U"aあいうえお"), "a\x82\xA0\x82\xA2\x82\xA4\x82\xA6 ");
  EXPECT_EQ(Field(U"あいうえおか"), "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8");
  EXPECT_EQ(Field(U"éé"), "??        ");
}

TEST(RecordCodec, ScoreIsSixteenBitLittleEndianSigned) {
  EXPECT_EQ(EncodeRecord(ListEntry{U"AB", -1}), std::string("AB        \xFF\xFF", 12));
  EXPECT_EQ(EncodeRecord(ListEntry{U"AB", 50}), std::string("AB        \x32\x00", 12));
  // A name longer than ten characters is cut to ten, then to ten bytes.
  EXPECT_EQ(EncodeRecord(ListEntry{U"ABCDEFGHIJKL", 7}), std::string("ABCDEFGHIJ\x07\x00", 12));

  EXPECT_EQ(DecodeRecord(std::string("AB        \xFF\xFF", 12)).score, -1);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x32\x00", 12)).score, 50);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x00\x80", 12)).score, -32768);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x32\x00", 12)).name, U"AB        ");
}

TEST(RecordCodec, ShortAndMissingRecordsReadAsBlankAndZero) {
  const ListEntry five = DecodeRecord("\x82\xBD\x82\xEB\x82");  // cut inside "う"
  EXPECT_EQ(five.name, U"たろ\uFFFD       ");
  EXPECT_EQ(five.score, 0);
  EXPECT_EQ(DecodeRecord(std::string("ABCDEFGHIJ\x32", 11)).score, 0);

  const std::string file = std::string("ONE       \x05\x00", 12) + "TWO";
  EXPECT_EQ(RecordAt(file, 1).score, 5);
  EXPECT_EQ(RecordAt(file, 2).name, U"TWO       ");
  EXPECT_EQ(RecordAt(file, 3), (ListEntry{std::u32string(10, U' '), 0}));
  EXPECT_EQ(RecordAt(file, 0).score, 0);
}

TEST(RecordCodec, EveryScoreAndABlankRecordEncodeAsStored) {
  for (int score = -32768; score <= 32767; ++score) {
    ListEntry entry{U"X", static_cast<std::int16_t>(score)};
    ASSERT_EQ(DecodeRecord(EncodeRecord(entry)).score, score);
  }
  EXPECT_EQ(BlankRecord(), std::string("          \0\0", 12));
  EXPECT_EQ(EncodeRecord(ListEntry{}), BlankRecord());
  EXPECT_EQ(DecodeRecord(BlankRecord()), (ListEntry{std::u32string(10, U' '), 0}));
}

TEST(RecordCodec, AnyTenBytesDecodeToTenCharacters) {
  for (int b = 0; b < 256; ++b) {
    const std::string bytes(12, static_cast<char>(b));
    EXPECT_EQ(DecodeRecord(bytes).name.size(), 10u) << b;
  }
}

TEST(DisplayName, DropsThePaddingOnlyAtTheEnd) {
  EXPECT_EQ(DisplayName(U"AB        "), "AB");
  EXPECT_EQ(DisplayName(std::u32string(U"た ろ\0 \0", 6)), "た ろ");
  EXPECT_EQ(DisplayName(U"  A"), "  A");
  EXPECT_EQ(DisplayName(std::u32string(10, U' ')), "");
  EXPECT_EQ(DisplayName(U"たろう\uFFFD"), "たろう\uFFFD");
}

}  // namespace
}  // namespace tavri
