// The game window as drawn up: its controls (ids are rows of the table), its
// menu tree and its look.
#pragma once

#include "shared/window_design.h"

namespace tavri::game_window {

inline constexpr int kProblemCount = 5;
inline constexpr int kColumns = 5;

enum Control : int {
  kProblemHeading,                                   // "第 1問"
  kProblemNumbers,                                   // 1 … 5, beside the mark cells
  kMarkCells = kProblemNumbers + kProblemCount,      // ○ and × of each problem
  kXHeader = kMarkCells + kProblemCount,             // "ｘ"
  kYHeader,                                          // "ｙ"
  kXBand,
  kYBand,
  kXCells,                                           // the x row of the table
  kYCells = kXCells + kColumns,                      // the y row, below it
  kRowSeparator = kYCells + kColumns,
  kColumnSeparator,
  kPoints,                                           // the points of this problem
  kTotalButton,                                      // the game's total; opens the list
  kRelationshipFrame,
  kRelationshipButtons,                              // in the order of Relationship
  kFormulaY = kRelationshipButtons + 4,              // "y ="
  kCoefficientBox,                                   // a of y = ax and y = ax + b
  kFormulaX,                                         // "x" after a
  kExponent,                                         // "2" of y = ax², never shown
  kConstantBox,                                      // b of y = ax + b
  kNumeratorBox,                                     // a of y = a / x
  kFractionBar,
  kDenominatorX,                                     // "x" below the bar
  kEnterHint,
  kStartButton,
  kRangeButton,
  kExitButton,
  kHelpButton,
  kControlCount
};

enum MenuItem : int {
  kGameMenu,
  kStartItem,
  kGameSeparator1,
  kListItem,
  kGameSeparator2,
  kExitItem,
  kRangeMenu,
  kRangeItems,  // one per range, in the order of XRange
  kHelpMenu = kRangeItems + 4,
  kHelpItem,
  kMenuItemCount
};

const WindowDesign& Design();

}  // namespace tavri::game_window
