// The game window from load to Start, Exit and the opening of the other
// windows.
#include <gtest/gtest.h>

#include "game/core/form1.h"
#include "support/fake_platform.h"
#include "support/fake_windows.h"

namespace tavri {
namespace {

class Form1Startup : public ::testing::Test {
 protected:
  Module1 module;
  test::FakePlatform platform;
  test::FakeForm1Windows windows;
  Form1 form{module, platform, windows};
};

TEST_F(Form1Startup, LoadSetsUpTheWaitingWindow) {
  form.Form_Load();
  EXPECT_EQ(form.Timer1.Interval, 0);
  EXPECT_EQ(platform.randomizeCalls, 1);
  EXPECT_EQ(platform.randomDraws, 0);
  EXPECT_EQ(form.rangeNames[0], "－２～２");
  EXPECT_EQ(form.rangeNames[3], "ランダム");
  EXPECT_EQ(form.xValues[0], (std::array<std::int16_t, 5>{-2, -1, 0, 1, 2}));
  EXPECT_EQ(form.xValues[1], (std::array<std::int16_t, 5>{1, 2, 3, 4, 5}));
  EXPECT_EQ(form.xValues[2], (std::array<std::int16_t, 5>{-5, -4, -3, -2, -1}));
  EXPECT_EQ(form.xValues[3], (std::array<std::int16_t, 5>{}));
  EXPECT_FALSE(form.kotae[3].Visible);
  for (const auto& button : form.kotae) EXPECT_FALSE(button.Enabled);
  EXPECT_TRUE(form.kotae[0].Visible);
  EXPECT_TRUE(form.en[0].Checked);
  EXPECT_FALSE(form.en[1].Checked || form.en[2].Checked || form.en[3].Checked);
  EXPECT_EQ(module.xRange, 0);
  EXPECT_EQ(form.Command3.Caption, "ｘの値：－２～２");
  EXPECT_EQ(form.problemNo, 0);
  EXPECT_TRUE(platform.boxes.empty());  // the notice comes with activation
}

TEST_F(Form1Startup, LoadHidesAndEmptiesTheFormulaEntry) {
  form.TextA1.Text = "3";
  form.Form_Load();
  EXPECT_EQ(form.TextA1.Text, "");
  for (bool visible : {form.TextA1.Visible, form.TextA2.Visible, form.TextB.Visible,
                       form.LaY.Visible, form.LaX1.Visible, form.LaX2.Visible,
                       form.Line3.Visible, form.La2.Visible, form.enter.Visible})
    EXPECT_FALSE(visible);
}

TEST_F(Form1Startup, CaptionsKeepTheirDesignUntilTheFirstProblem) {
  form.Form_Load();
  EXPECT_EQ(form.monbang.Caption, "番  号");
  EXPECT_EQ(form.tokuten.Caption, "点");
  EXPECT_EQ(form.tokutenyo.Caption, "得点");
  for (const auto& cell : form.sikiyo) EXPECT_EQ(cell.Caption, "");
  for (const auto& cell : form.mondai) EXPECT_EQ(cell.Caption, "");
  EXPECT_EQ(form.bango[4].Caption, "5");
  EXPECT_EQ(form.enter.Caption, "  数を入れたらＥｎｔｅｒキーを押してください。");
  EXPECT_EQ(form.focusRequest, Focus::Command1);
}

TEST_F(Form1Startup, NoticeOnFirstShowAndOnReturnFromAnotherWindowOnly) {
  form.Form_Load();
  form.Activated(Activation::FirstShow);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].title, "スタート");
  EXPECT_EQ(platform.boxes[0].text, "「スタート」ボタンをクリックすると，始まります。");
  EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(platform.boxes[0].buttons, MessageButtons::Ok);

  form.Activated(Activation::FromMessageBox);
  form.Activated(Activation::FromOtherApplication);
  EXPECT_EQ(platform.boxes.size(), 1u);

  form.Activated(Activation::FromProgramWindow);
  EXPECT_EQ(platform.boxes.size(), 2u);
}

TEST_F(Form1Startup, NoticeLeavesARunningCountdownAlone) {
  form.Form_Load();
  form.Timer1.Interval = 2000;
  form.tokuten.Caption = " 7";
  form.Activated(Activation::FromProgramWindow);
  EXPECT_EQ(form.Timer1.Interval, 2000);
  EXPECT_EQ(form.tokuten.Caption, " 7");
}

TEST_F(Form1Startup, StartResetsTheGameButKeepsScoreAndRange) {
  form.Form_Load();
  module.totalScore = 42;
  module.resultSaved = 1;
  module.xRange = 2;
  form.sikiyo[0].Caption = "○×";
  form.sikiyo[3].Caption = "×";
  form.tokutenyo.Caption = " 17";
  form.TextA1.Text = "5";
  form.TextA1.Visible = form.LaY.Visible = form.enter.Visible = true;
  platform.randomScript.assign(20, 0.5f);  // enough for the first problem
  form.Command1_Click();
  for (const auto& cell : form.sikiyo) EXPECT_EQ(cell.Caption, "");
  EXPECT_EQ(module.resultSaved, 0);
  EXPECT_EQ(form.tokutenyo.Caption, " 0");
  EXPECT_EQ(form.TextA1.Text, "");
  EXPECT_FALSE(form.TextA1.Visible || form.LaY.Visible || form.enter.Visible);
  EXPECT_EQ(module.totalScore, 42);
  EXPECT_EQ(module.xRange, 2);
  EXPECT_EQ(windows.resultsModal, 0);
}

TEST_F(Form1Startup, TheListIsOpenedForViewingWithoutAScore) {
  form.Form_Load();
  module.totalScore = 30;
  form.tokutenyo.Caption = " 12";
  form.Timer1.Interval = 2000;
  form.m1c_Click();
  EXPECT_EQ(module.totalScore, 0);
  EXPECT_EQ(windows.resultsModeless, 1);
  EXPECT_EQ(form.tokutenyo.Caption, " 12");
  EXPECT_EQ(form.Timer1.Interval, 2000);

  module.totalScore = 30;
  form.tokutenyo_Click();
  EXPECT_EQ(module.totalScore, 0);
  EXPECT_EQ(windows.resultsModeless, 2);
  EXPECT_EQ(windows.resultsModal, 0);
}

TEST_F(Form1Startup, HelpAndExitGoThroughTheirSeams) {
  form.Form_Load();
  form.Timer1.Interval = 2000;
  form.helpyo_Click();
  form.m5c_Click();
  EXPECT_EQ(windows.help, 2);
  EXPECT_EQ(form.Timer1.Interval, 2000);
  form.Command5_Click();
  form.m1d_Click();
  EXPECT_EQ(windows.ended, 2);
}

}  // namespace
}  // namespace tavri
