#include <gtest/gtest.h>

#include "support/form1_fixture.h"

namespace tavri::test {
namespace {

const std::array<std::string, 4> kNames{"－２～２", "１～５", "－５～－１", "ランダム"};

class XRange : public Form1Fixture {
 protected:
  void ExpectRange(int range) {
    EXPECT_EQ(module.xRange, range);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(form.en[static_cast<std::size_t>(i)].Checked, i == range);
    EXPECT_EQ(form.Command3.Caption, "ｘの値：" + kNames[static_cast<std::size_t>(range)]);
  }
  void ExpectLastMessageNames(int range) {
    ASSERT_FALSE(platform.boxes.empty());
    const auto& box = platform.boxes.back();
    EXPECT_EQ(box.title, "ｘの値の変更");
    EXPECT_EQ(box.text, "ｘの値を " + kNames[static_cast<std::size_t>(range)] +
                            " の範囲にします。\r「スタート」ボタンをクリックしてください。");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
  }
};

TEST_F(XRange, ButtonStepsThroughTheRangesWithAMessageEachTime) {
  ExpectRange(0);
  for (int range : {1, 2, 3, 0}) {
    SCOPED_TRACE(range);
    form.Command3_Click();
    ExpectRange(range);
    ExpectLastMessageNames(range);
  }
  EXPECT_EQ(platform.boxes.size(), 4u);
}

TEST_F(XRange, ButtonStopsTheCountdownButLeavesTheProblemOnTheScreen) {
  Start(kInverse, -12);
  Tick(2);
  const auto x = XRow();
  const auto y = YRow();
  form.Command3_Click();
  EXPECT_EQ(form.Timer1.Interval, 0);
  Tick(3);  // ticks already on their way count nothing
  EXPECT_EQ(form.tokuten.Caption, " 8");
  EXPECT_EQ(XRow(), x);
  EXPECT_EQ(YRow(), y);
  EXPECT_EQ(form.coefA, -12);
}

TEST_F(XRange, MenuShowsTheMessageOnlyOnARealChange) {
  form.en_Click(0);
  ExpectRange(0);
  EXPECT_TRUE(platform.boxes.empty());

  form.en_Click(3);
  ExpectRange(3);
  ExpectLastMessageNames(3);
  form.en_Click(3);
  form.en_Click(-1);  // no such item
  form.en_Click(4);
  ExpectRange(3);
  EXPECT_EQ(platform.boxes.size(), 1u);

  form.en_Click(1);
  ExpectRange(1);
  ExpectLastMessageNames(1);
}

TEST_F(XRange, MenuLeavesTheCountdownRunning) {
  Start(kProportional, 2);
  Tick();
  form.en_Click(2);
  EXPECT_EQ(form.Timer1.Interval, 2000);
  Tick();
  EXPECT_EQ(form.tokuten.Caption, " 8");
}

}  // namespace
}  // namespace tavri::test
