#include "shared/conversions.h"
#include "shared/utf8.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <string>

namespace tavri {
namespace {

TEST(SignedText, BlankBeforeZeroAndPositiveMinusBeforeNegative) {
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(-0.0), " 0");
  EXPECT_EQ(SignedText(10), " 10");
  EXPECT_EQ(SignedText(-3), "-3");
  EXPECT_EQ(SignedText(-56), "-56");
  EXPECT_EQ(SignedText(32767), " 32767");
}

TEST(SignedText, FractionsHaveAFullStopAndNoTrailingZeros) {
  EXPECT_EQ(SignedText(6.0 / 5.0), " 1.2");
  EXPECT_EQ(SignedText(6.0 / 4.0), " 1.5");
  EXPECT_EQ(SignedText(-18.0 / 4.0), "-4.5");
  EXPECT_EQ(SignedText(12.0 / 5.0), " 2.4");
  EXPECT_EQ(SignedText(-6.0 / 5.0), "-1.2");
  EXPECT_EQ(SignedText(0.1 + 0.2), " 0.3");
}

TEST(TextValue, ReadsSignDigitsAndDecimalPart) {
  EXPECT_EQ(TextValue("3"), 3);
  EXPECT_EQ(TextValue("+3"), 3);
  EXPECT_EQ(TextValue("03"), 3);
  EXPECT_EQ(TextValue("3.0"), 3);
  EXPECT_EQ(TextValue(" 3"), 3);
  EXPECT_EQ(TextValue("-12"), -12);
  EXPECT_EQ(TextValue("2.5"), 2.5);
  EXPECT_EQ(TextValue(".5"), 0.5);
  EXPECT_EQ(TextValue("-.5"), -0.5);
  EXPECT_EQ(TextValue(" 1.2"), 1.2);
}

TEST(TextValue, SkipsBlanksTabsAndLineFeedsEverywhere) {
  EXPECT_EQ(TextValue("1 2"), 12);
  EXPECT_EQ(TextValue("- 3"), -3);
  EXPECT_EQ(TextValue("\t\n 4 \t2"), 42);
  EXPECT_EQ(TextValue("1 . 5"), 1.5);
}

TEST(TextValue, FirstOtherCharacterEndsTheNumber) {
  EXPECT_EQ(TextValue("3x"), 3);
  EXPECT_EQ(TextValue("1.2.3"), 1.2);
  EXPECT_EQ(TextValue("--3"), 0);
  EXPECT_EQ(TextValue("+-3"), 0);
  EXPECT_EQ(TextValue("3-4"), 3);
  EXPECT_EQ(TextValue("1e5"), 1);
  EXPECT_EQ(TextValue("\r5"), 0);  // a carriage return is not skipped
}

TEST(TextValue, NoNumberReadsZero) {
  EXPECT_EQ(TextValue(""), 0);
  EXPECT_EQ(TextValue("abc"), 0);
  EXPECT_EQ(TextValue("-"), 0);
  EXPECT_EQ(TextValue("."), 0);
  EXPECT_EQ(TextValue("点"), 0);
  EXPECT_EQ(TextValue("得点"), 0);
  EXPECT_EQ(TextValue("   "), 0);
}

TEST(TextValue, ReadsWhatAJapaneseInputMethodTypes) {
  EXPECT_EQ(TextValue("３"), 3);
  EXPECT_EQ(TextValue("－１２"), -12);
  EXPECT_EQ(TextValue("ー４"), -4);
  EXPECT_EQ(TextValue("−４"), -4);
  EXPECT_EQ(TextValue("＋６"), 6);
  EXPECT_EQ(TextValue("１．５"), 1.5);
  EXPECT_EQ(TextValue("　－　３"), -3);
  EXPECT_EQ(TextValue("1２"), 12);
  EXPECT_EQ(TextValue("３ｘ"), 3);
}

TEST(TextValue, SurvivesHugeAndMalformedInput) {
  EXPECT_TRUE(std::isinf(TextValue(std::string(5000, '9'))));
  EXPECT_LT(TextValue("-" + std::string(5000, '9')), 0);
  EXPECT_EQ(TextValue("0." + std::string(5000, '0') + "1"), 0);
  EXPECT_EQ(TextValue(std::string(100000, ' ') + "7"), 7);
  EXPECT_EQ(TextValue("\xff\xfe" "5"), 0);
  EXPECT_EQ(TextValue("5\xff"), 5);
  EXPECT_EQ(TextValue("\xe3\x80"), 0);  // a cut-off ideographic space
  std::string manyDigits;
  for (int i = 0; i < 20000; ++i) manyDigits += "１";
  EXPECT_TRUE(std::isinf(TextValue(manyDigits)));
}

// Qt adopts the user's locale on Linux (LOCPATH: one the build made), and
// the C library's number conversions follow its decimal point; the game's
// numbers never do.
TEST(SignedTextAndTextValue, KeepTheFullStopInALocaleWithADecimalComma) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"}) {
    comma = std::setlocale(LC_NUMERIC, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    if (comma) break;
  }
  if (comma) {
    EXPECT_EQ(SignedText(6.0 / 5.0), " 1.2");
    EXPECT_EQ(SignedText(-18.0 / 4.0), "-4.5");
    EXPECT_EQ(TextValue("1.5"), 1.5);
    EXPECT_EQ(TextValue("－０．２５"), -0.25);
  }
  std::setlocale(LC_NUMERIC, before.c_str());
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma on this system";
}

TEST(RoundToInt16, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(2.4999), 2);
  EXPECT_EQ(RoundToInt16(36), 36);
}

TEST(RoundToInt16, OverflowIsNeverSilent) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_FALSE(RoundToInt16(32767.5).has_value());
  EXPECT_FALSE(RoundToInt16(-32769).has_value());
  EXPECT_FALSE(RoundToInt16(INFINITY).has_value());
  EXPECT_FALSE(RoundToInt16(NAN).has_value());
}

TEST(PlainText, NoBlankBeforeTheDigits) {
  EXPECT_EQ(PlainText(30), "30");
  EXPECT_EQ(PlainText(0), "0");
  EXPECT_EQ(PlainText(-4), "-4");
}

TEST(Utf8, MalformedBytesReadAsReplacementOneByteAtATime) {
  EXPECT_EQ(ToUtf32("\xC0\xAF"), U"\uFFFD\uFFFD");                  // overlong
  EXPECT_EQ(ToUtf32("\xED\xA0\x80"), U"\uFFFD\uFFFD\uFFFD");         // a surrogate
  EXPECT_EQ(ToUtf32("\xF4\x90\x80\x80"), std::u32string(4, U'\uFFFD'));  // past U+10FFFF
  EXPECT_EQ(ToUtf32("a\xE3\x81"), U"a\uFFFD\uFFFD");                  // cut off
  EXPECT_EQ(ToUtf32("\xE3\x81" "a"), U"\uFFFD\uFFFDa");
  EXPECT_EQ(ToUtf8(std::u32string{char32_t{0xD800}, char32_t{0x110000}}),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
  const std::string text = "A\u00E9\u3042\U00020BB7";  // one to four bytes
  EXPECT_EQ(ToUtf32(text), U"A\u00E9\u3042\U00020BB7");
  EXPECT_EQ(ToUtf8(ToUtf32(text)), text);
}

}  // namespace
}  // namespace tavri
