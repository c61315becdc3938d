// GameEnd: hands the finished game to the results window and waits for the
// next Start.
#include "game/core/form1.h"

namespace tavri {

// A game can end on a wrong choice or a time-out while the relationship
// buttons are still enabled. A further click would then judge the fifth
// problem again: bank points for a problem already lost and put the same
// game into the best-five list a second time. So every end disables them;
// only Start (through NewProblem) enables them again.
void Form1::GameEnd(EndCause cause) {
  for (auto& button : kotae) button.Enabled = false;

  // The total is always a whole number from 0 to 50; should the caption
  // ever read as something no 16-bit score can be, 0 ("no score to place")
  // keeps it out of the stored list.
  module_.totalScore = RoundToInt16(TextValue(tokutenyo.Caption)).value_or(0);
  windows_.ShowResultsModal();

  // A time-out ends with the results alone; the formula entry was never
  // open then.
  if (cause == EndCause::TimeOut) return;
  platform_.MsgBox(Notice("再スタート", "再スタートは，" "\r" "「スタート」ボタンをクリック!!"));
  HideFormulaEntry();
}

}  // namespace tavri
