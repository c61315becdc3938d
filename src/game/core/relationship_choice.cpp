// The first answer stage: which relationship links x and y.
#include "game/core/game.h"

namespace tavri {

void Game::OnRelationshipChosen(Relationship relationship) {
  // The buttons cannot be used before a problem is shown, after a right
  // choice or after the game has ended; a stray call must judge nothing.
  if (!relationshipOpen_ || !ProblemIsOpen() || gameEnding() ||
      relationship == Relationship::SquareProportional)
    return;

  StopCountdown();
  Emit(Beep{});

  if (relationship != problem_->relationship) {
    CurrentMarks() = {Mark::Wrong};
    EndProblem();
    return;
  }

  CurrentMarks() = {Mark::Right};
  // The points the player saw are what counts.
  total_ = total_.value_or(0) + points_;
  relationshipOpen_ = false;
  switch (relationship) {
    case Relationship::Proportional:
      formula_ = FormulaForm::Proportional;
      Emit(MoveFocus{WindowId::Game, game_window::kCoefficientBox});
      break;
    case Relationship::Inverse:
      formula_ = FormulaForm::Inverse;
      Emit(MoveFocus{WindowId::Game, game_window::kNumeratorBox});
      break;
    default:
      formula_ = FormulaForm::Linear;
      Emit(MoveFocus{WindowId::Game, game_window::kCoefficientBox});
      break;
  }
}

// After a problem's last mark: the next problem, or after the fifth the end
// of the game.
void Game::EndProblem() {
  if (problemNumber_ == game_window::kProblemCount) {
    EndGame(Ending::ResultsThenRestart);
    return;
  }
  HideFormulaEntry();
  NewProblem();
}

}  // namespace tavri
