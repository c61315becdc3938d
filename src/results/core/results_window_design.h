// The results window as drawn up: its controls (ids are rows of the table)
// and its look. It has no menu bar.
#pragma once

#include "results/core/best_lists.h"
#include "shared/window_design.h"

namespace tavri::results_window {

enum Control : int {
  kHeading,                                  // "成績一覧"
  kClearButton,                              // "初期化"
  kRangeLabel,                               // "ｘの値"
  kRangeName,
  kPlaceNumbers,                             // the best five: place,
  kNames = kPlaceNumbers + kPlaces,          // name
  kScores = kNames + kPlaces,                // and score of each place
  kDoubleRuleTop = kScores + kPlaces,
  kDoubleRuleBottom,
  kRunHeading,                               // "あなたの記録"
  kRunPlaceNumbers,                          // the best three of this run
  kRunScores = kRunPlaceNumbers + kBestOfRunPlaces,
  kThisGameHeading = kRunScores + kBestOfRunPlaces,  // "今回の記録"
  kThisGameScore,
  kRule,
  kPrompt,                                   // " 1番です。名前を入力して下さい。"
  kNameBox,
  kBackButton,                               // "戻る"
  kControlCount
};

// Each further row of a list stands 30 pixels (of a 96 dpi screen) below
// the one before.
inline constexpr int kRowStepTwips = 450;

const WindowDesign& Design();

}  // namespace tavri::results_window
