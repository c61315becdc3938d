// The range of the x values: the range button steps through them, the menu
// chooses one directly. The new range applies from the next problem on.
#include "game/core/game.h"

#include <string>

namespace tavri {

void Game::OnNextRange() {
  // The countdown stops for the rest of the problem, which can still be
  // answered at the points now shown.
  StopCountdown();
  session_.range = NextRange(session_.range);
  ShowRangeChange();
}

void Game::OnRangeChosen(XRange range) {
  if (range == session_.range) return;
  session_.range = range;
  ShowRangeChange();
}

void Game::ShowRangeChange() {
  const std::string name(RangeName(session_.range));
  Emit(ShowMessage{WindowId::Game,
                   Notice(MessageKind::RangeChanged, "ｘの値の変更",
                          "ｘの値を " + name + " の範囲にします。" + "\r" +
                              "「スタート」ボタンをクリックしてください。")});
}

}  // namespace tavri
