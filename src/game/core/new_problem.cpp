// The next problem of a game: a new hidden function, its table, 10 points
// and a running countdown.
#include "game/core/game.h"

namespace tavri {

void Game::NewProblem() {
  relationshipOpen_ = true;
  points_ = kStartPoints;
  // A full period also when Start interrupts a running countdown: the first
  // point of a new problem is never cut short.
  StartCountdown();
  ++problemNumber_;
  problem_ = DrawProblem(random_, session_.range, lastB_, randomRow_);
  lastB_ = problem_->b;
}

}  // namespace tavri
