// The end of a game: the results window with the score, then (unless the
// last problem timed out) the restart message.
#include "game/core/game.h"

namespace tavri {

// A game can end on a wrong choice or a time-out while the relationship
// buttons would still be usable. A further click would then judge the fifth
// problem again: bank points for a problem already lost and put the same
// game into the best-five list a second time. So every end closes the
// relationship stage; only Start opens it again.
void Game::EndGame(Ending after) {
  relationshipOpen_ = false;
  ending_ = after;
  Emit(OpenResults{static_cast<std::int16_t>(total_.value_or(0)), true});
}

void Game::OnResultsClosed() {
  if (ending_ == Ending::ResultsOnly) {
    ending_ = Ending::None;
    return;
  }
  if (ending_ != Ending::ResultsThenRestart) return;
  ending_ = Ending::RestartMessage;
  Emit(ShowMessage{WindowId::Game, Notice(MessageKind::Restart, "再スタート",
                                          "再スタートは，\r「スタート」ボタンをクリック!!")});
}

}  // namespace tavri
