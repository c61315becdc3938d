// The points of a problem fall by one every two seconds until the
// relationship is chosen; after 0 the problem is lost.
#include "game/core/game.h"

namespace tavri {

void Game::OnCountdownTick() {
  // A tick already on its way when the countdown was stopped must not count.
  if (!countdownRunning_ || !ProblemIsOpen()) return;
  if (points_ > 0) {
    --points_;
    return;
  }
  // Out of time. The points stay at 0 until the next problem shows 10.
  CurrentMarks() = {Mark::Wrong};
  Emit(Beep{});
  StopCountdown();
  if (problemNumber_ == game_window::kProblemCount) {
    // The formula entry was never open, so there is nothing to tidy away
    // and no restart message follows.
    EndGame(Ending::ResultsOnly);
    return;
  }
  NewProblem();
}

}  // namespace tavri
