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

TEST(RankRecordCodec, ScoreIsSixteenBitLittleEndianSigned) {
  ListEntry record{U"AB", -1};
  EXPECT_EQ(EncodeRecord(record), std::string("AB        \xFF\xFF", 12));
  record.score = 50;
  EXPECT_EQ(EncodeRecord(record), std::string("AB        \x32\x00", 12));

  EXPECT_EQ(DecodeRecord(std::string("AB        \xFF\xFF", 12)).score, -1);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x32\x00", 12)).score, 50);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x00\x80", 12)).score, -32768);
  EXPECT_EQ(DecodeRecord(std::string("AB        \x32\x00", 12)).name, U"AB        ");
}

TEST(RankRecordCodec, ShortAndMissingRecordsReadAsBlankAndZero) {
  ListEntry five = DecodeRecord("\x82\xBD\x82\xEB\x82");  // cut inside "う"
  EXPECT_EQ(five.name, U"たろ\uFFFD       ");
  EXPECT_EQ(five.score, 0);
  EXPECT_EQ(DecodeRecord(std::string("ABCDEFGHIJ\x32", 11)).score, 0);

  std::string file = std::string("ONE       \x05\x00", 12) + "TWO";
  EXPECT_EQ(RecordAt(file, 1).score, 5);
  EXPECT_EQ(RecordAt(file, 2).name, U"TWO       ");
  EXPECT_EQ(RecordAt(file, 3).name, std::u32string(10, U' '));
  EXPECT_EQ(RecordAt(file, 3).score, 0);
  EXPECT_EQ(RecordAt(file, 0).score, 0);
}

TEST(RankRecordCodec, EveryScoreAndABlankRecordEncodeAsStored) {
  for (int score = -32768; score <= 32767; ++score) {
    ListEntry entry{U"X", static_cast<std::int16_t>(score)};
    ASSERT_EQ(DecodeRecord(EncodeRecord(entry)).score, score);
  }
  EXPECT_EQ(BlankRecord(), std::string("          \0\0", 12));
  EXPECT_EQ(EncodeRecord(ListEntry{}), BlankRecord());
  EXPECT_EQ(DecodeRecord(BlankRecord()), (ListEntry{std::u32string(10, U' '), 0}));
}

TEST(RankRecordCodec, AnyTenBytesDecodeToTenCharacters) {
  for (int b = 0; b < 256; ++b) {
    std::string bytes(12, static_cast<char>(b));
    EXPECT_EQ(DecodeRecord(bytes).name.size(), 10u) << b;
  }
}

}  // namespace
}  // namespace tavri
