// Found by fuzzing the conversion: glibc's CP932 stored some characters the
// code page lacks as look-alikes, while Windows stores "?"; and by checking
// the browser build's tables against Windows: Windows stored five characters
// as single bytes that no side reads back. Runs natively and under Wine, so
// both sides must agree.
#include <gtest/gtest.h>

#include "results/core/code_page.h"

namespace tavri {
namespace {

TEST(CodePage, CharactersWithOnlyALookAlikeBecomeAQuestionMarkOnEverySystem) {
  EXPECT_EQ(ToCp932(U"\u00A2"), "?");  // cent sign; the code page has only the full-width one
  EXPECT_EQ(ToCp932(U"\u00A3"), "?");  // pound sign
  EXPECT_EQ(ToCp932(U"\u00AC"), "?");  // not sign
  EXPECT_EQ(ToCp932(U"\u2016"), "?");  // double vertical line
  EXPECT_EQ(ToCp932(U"\u2212"), "?");  // minus sign: "－" U+FF0D is what the code page holds
  EXPECT_EQ(ToCp932(U"\u301C"), "?");  // wave dash: "～" U+FF5E is what the code page holds
  // Single bytes Windows writes for them but neither side reads.
  EXPECT_EQ(ToCp932(U"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"), "?????");
  // Their full-width forms are stored as themselves.
  EXPECT_EQ(FromCp932(ToCp932(U"￠￡￢∥－～")), U"￠￡￢∥－～");
}

}  // namespace
}  // namespace tavri
