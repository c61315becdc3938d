// The choice of x range: the button Command3 steps through the ranges, the
// menu items en(0) … en(3) choose one directly.
#include "game/core/form1.h"

namespace tavri {

void Form1::Command3_Click() {
  // The countdown stops for the rest of the problem, which can still be
  // answered at the points now shown.
  Timer1.Interval = 0;
  for (auto& item : en) item.Checked = false;
  std::int16_t next = static_cast<std::int16_t>(module_.xRange + 1);
  if (next >= kRangeCount || next < 0) next = 0;
  module_.xRange = next;
  en[static_cast<std::size_t>(next)].Checked = true;
  Command3.Caption = "ｘの値：" + rangeNames[static_cast<std::size_t>(next)];
  ShowRangeChange(next);
}

void Form1::en_Click(int Index) {
  if (Index < 0 || Index >= kRangeCount) return;
  const auto chosen = static_cast<std::int16_t>(Index);
  for (auto& item : en) item.Checked = false;
  en[static_cast<std::size_t>(chosen)].Checked = true;
  if (chosen == module_.xRange) return;
  module_.xRange = chosen;
  Command3.Caption = "ｘの値：" + rangeNames[static_cast<std::size_t>(chosen)];
  ShowRangeChange(chosen);
}

// The new range only applies from the next problem on, hence the hint to
// press Start.
void Form1::ShowRangeChange(std::int16_t range) {
  platform_.MsgBox(Notice("ｘの値の変更",
                          "ｘの値を " + rangeNames[static_cast<std::size_t>(range)] +
                              " の範囲にします。" + "\r" + "「スタート」ボタンをクリックしてください。"));
}

}  // namespace tavri
