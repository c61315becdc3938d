// The three windows as drawn up: each control id is the row of its design
// name, the tab order and captions are as designed, and the units convert
// as a screen needs them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/design_units.h"
#include "shared/window_state.h"

namespace tavri {
namespace {

struct Row {
  int id;
  std::string designName;
  int tabIndex = kNoTabStop;
};

std::string Indexed(const char* name, int index) {
  return std::string(name) + "(" + std::to_string(index) + ")";
}

// Every row of the table in id order, by design name; only the listed
// controls take the focus.
void ExpectRows(const WindowDesign& design, int controlCount, const std::vector<Row>& rows) {
  ASSERT_EQ(design.controls.size(), static_cast<std::size_t>(controlCount));
  ASSERT_EQ(rows.size(), design.controls.size());
  std::set<std::string> names;
  for (const Row& row : rows) {
    const ControlDesign& control = design.controls[static_cast<std::size_t>(row.id)];
    SCOPED_TRACE(row.designName);
    EXPECT_EQ(control.designName, row.designName);
    EXPECT_EQ(control.tabIndex, row.tabIndex);
    EXPECT_TRUE(names.insert(control.designName).second) << "twice";
  }
}

TEST(WindowDesign, GameWindowRowsAndTabOrder) {
  using namespace game_window;
  std::vector<Row> rows{{kProblemHeading, "monbang"},
                        {kXHeader, "Label1"},
                        {kYHeader, "Label2"},
                        {kXBand, "Label3"},
                        {kYBand, "Label4"},
                        {kRowSeparator, "Line1"},
                        {kColumnSeparator, "Line2"},
                        {kPoints, "tokuten"},
                        {kTotalButton, "tokutenyo", 17},
                        {kRelationshipFrame, "Frame1(0)"},
                        {kFormulaY, "LaY"},
                        {kCoefficientBox, "TextA1", 37},
                        {kFormulaX, "LaX1"},
                        {kExponent, "La2"},
                        {kConstantBox, "TextB", 39},
                        {kNumeratorBox, "TextA2", 40},
                        {kFractionBar, "Line3"},
                        {kDenominatorX, "LaX2"},
                        {kEnterHint, "enter"},
                        {kStartButton, "Command1", 0},
                        {kRangeButton, "Command3", 1},
                        {kExitButton, "Command5", 2},
                        {kHelpButton, "helpyo", 18}};
  for (int i = 0; i < kProblemCount; ++i) {
    rows.push_back({kProblemNumbers + i, Indexed("bango", i)});
    rows.push_back({kMarkCells + i, Indexed("sikiyo", i)});
    rows.push_back({kXCells + i, Indexed("mondai", i)});
    rows.push_back({kYCells + i, Indexed("mondai", i + 5)});
  }
  for (int i = 0; i < 4; ++i) rows.push_back({kRelationshipButtons + i, Indexed("kotae", i), 19 + i});
  ExpectRows(Design(), kControlCount, rows);

  const std::vector<std::string> menus{"m1",    "m1a",   "s1",    "m1c",   "s2", "m1d", "m4",
                                       "en(0)", "en(1)", "en(2)", "en(3)", "m5", "m5c"};
  ASSERT_EQ(Design().menus.size(), menus.size());
  for (std::size_t i = 0; i < menus.size(); ++i) {
    const MenuDesign& menu = Design().menus[i];
    EXPECT_EQ(menu.designName, menus[i]);
    EXPECT_EQ(menu.separator, menus[i][0] == 's') << menus[i];
    EXPECT_EQ(menu.checkable, menus[i].starts_with("en(")) << menus[i];
    EXPECT_EQ(menu.level == MenuLevel::Top, menus[i] == "m1" || menus[i] == "m4" || menus[i] == "m5")
        << menus[i];
  }
}

TEST(WindowDesign, ResultsAndHelpWindowRowsAndTabOrder) {
  using namespace results_window;
  std::vector<Row> rows{{kHeading, "Label1"},           {kClearButton, "Command2", 8},
                        {kRangeLabel, "Label4"},        {kRangeName, "enz0"},
                        {kDoubleRuleTop, "Line2"},      {kDoubleRuleBottom, "Line1"},
                        {kRunHeading, "Label3"},        {kThisGameHeading, "Label2"},
                        {kThisGameScore, "jikan9"},     {kRule, "Line3"},
                        {kPrompt, "Label6"},            {kNameBox, "Text1", 5},
                        {kBackButton, "Command1", 6}};
  for (int i = 0; i < kPlaces; ++i) {
    rows.push_back({kPlaceNumbers + i, Indexed("jyun", i)});
    rows.push_back({kNames + i, Indexed("namae", i)});
    rows.push_back({kScores + i, Indexed("jikan", i)});
  }
  for (int i = 0; i < kBestOfRunPlaces; ++i) {
    rows.push_back({kRunPlaceNumbers + i, Indexed("jyun1", i)});
    rows.push_back({kRunScores + i, Indexed("jikan1", i)});
  }
  ExpectRows(Design(), kControlCount, rows);
  EXPECT_TRUE(Design().menus.empty());
  // Each further row of a list 30 pixels below the one before.
  for (int i = 1; i < kPlaces; ++i)
    EXPECT_EQ(TwipsToPixels(Design().controls[kNames + i].top - Design().controls[kNames].top),
              30 * i);

  ExpectRows(help_window::Design(), help_window::kControlCount,
             {{help_window::kIntroduction, "Label2"},
              {help_window::kHowToPlay, "Label3"},
              {help_window::kPointsAndResults, "Label4"},
              {help_window::kRanges, "Label6"},
              {help_window::kCredit, "Label5"},
              {help_window::kBackButton, "Command1", 4}});
  EXPECT_TRUE(help_window::Design().menus.empty());
}

TEST(WindowDesign, CaptionsAndSizesAsDesigned) {
  const WindowDesign& game = game_window::Design();
  const WindowDesign& results = results_window::Design();
  const WindowDesign& help = help_window::Design();
  EXPECT_STREQ(game.caption, "Ranvik（Orsel)");
  EXPECT_STREQ(results.caption, "Ranvik(Orsel)");
  EXPECT_STREQ(help.caption, "Ranvik(Orsel)");
  EXPECT_EQ(std::make_pair(game.clientWidth, game.clientHeight), std::make_pair(8700, 6015));
  EXPECT_EQ(std::make_pair(results.clientWidth, results.clientHeight), std::make_pair(4080, 6270));
  EXPECT_EQ(std::make_pair(help.clientWidth, help.clientHeight), std::make_pair(6090, 6645));

  const auto caption = [](const WindowDesign& design, int control) {
    return std::string(design.controls[static_cast<std::size_t>(control)].caption);
  };
  using namespace game_window;
  EXPECT_EQ(caption(game, kRelationshipFrame), "ｘとｙの関係は？");
  EXPECT_EQ(caption(game, kRelationshipButtons + 3), "ｙはｘの２乗に比例");
  EXPECT_EQ(caption(game, kRangeButton), "ｘの値の表示・変更");
  EXPECT_EQ(caption(game, kExitButton), "終了");
  EXPECT_STREQ(game.menus[kListItem].caption, "一覧");
  EXPECT_STREQ(game.menus[kRangeItems + 2].caption, "－５～－１");
  EXPECT_EQ(caption(results, results_window::kPlaceNumbers), "１");
  EXPECT_EQ(caption(results, results_window::kScores), " 0");
  EXPECT_EQ(caption(results, results_window::kPrompt), "　１番です。名前を入力して下さい。");
  EXPECT_EQ(caption(help, help_window::kRanges),
            "  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。");

  // The relationship buttons and the formula entry sit in the frame.
  for (int control = kRelationshipButtons; control <= kEnterHint; ++control)
    EXPECT_EQ(game.controls[static_cast<std::size_t>(control)].container, kRelationshipFrame);
  EXPECT_EQ(game.controls[kRelationshipFrame].container, kOnClientArea);
}

TEST(WindowDesign, DesignStateShowsEveryControlAsDrawnUp) {
  const WindowDesign& design = results_window::Design();
  const WindowState state = DesignState(design);
  ASSERT_EQ(state.controls.size(), design.controls.size());
  for (std::size_t i = 0; i < state.controls.size(); ++i) {
    EXPECT_EQ(state.controls[i].text, design.controls[i].caption);
    EXPECT_TRUE(state.controls[i].visible && state.controls[i].enabled);
  }
  EXPECT_EQ(DesignState(game_window::Design()).menuChecked,
            std::vector<bool>(game_window::kMenuItemCount, false));
}

TEST(DesignUnits, TwipsPointsAndPixelsToTheNearestPixel) {
  EXPECT_EQ(TwipsToPixels(15), 1);
  EXPECT_EQ(TwipsToPixels(732), 49);
  EXPECT_EQ(TwipsToPixels(8700), 580);
  EXPECT_EQ(TwipsToPixels(-8), -1);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(1440, 144), 144);
  EXPECT_EQ(TwipsToPixels(6015, 192), 802);
  EXPECT_EQ(PointsToPixels(13.5), 18);
  EXPECT_EQ(PointsToPixels(120), 160);
  EXPECT_EQ(PointsToPixels(12, 144), 24);
  EXPECT_EQ(ScalePixels(5), 5);
  EXPECT_EQ(ScalePixels(5, 144), 8);
  EXPECT_EQ(ScalePixels(30, 120), 38);
}

}  // namespace
}  // namespace tavri
