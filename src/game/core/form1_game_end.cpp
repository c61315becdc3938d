// GameEnd: hands the finished game to the results window and waits for the
// next Start.
#include "game/core/form1.h"

namespace tavri {

void Form1::GameEnd(EndCause cause) {
  // The total is always a whole number from 0 to 50; should the caption
  // ever read as something no 16-bit score can be, 0 ("no score to place")
  // keeps it out of the stored list.
  module_.totalScore = RoundToInt16(TextValue(tokutenyo.Caption)).value_or(0);
  windows_.ShowResultsModal();

  // After a time-out the player was not at the keyboard: no restart message,
  // and the formula entry was never open.
  if (cause == EndCause::TimeOut) return;
  platform_.MsgBox(Notice("再スタート", "再スタートは，" "\r" "「スタート」ボタンをクリック!!"));
  HideFormulaEntry();
}

}  // namespace tavri
