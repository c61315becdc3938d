// The second answer stage: the coefficients typed into the formula entry,
// judged when Enter is pressed in a box.
#include "game/core/game.h"

#include "shared/conversions.h"

namespace tavri {

void Game::OnEnterInFormula(FormulaBox box) {
  // Only a box that is shown can take Enter.
  const bool shown = (box == FormulaBox::Coefficient &&
                      (formula_ == FormulaForm::Proportional || formula_ == FormulaForm::Linear)) ||
                     (box == FormulaBox::Numerator && formula_ == FormulaForm::Inverse) ||
                     (box == FormulaBox::Constant && formula_ == FormulaForm::Linear);
  if (!shown || !ProblemIsOpen() || gameEnding()) return;

  const auto value = [this](FormulaBox of) { return TextValue(boxText(of)); };
  bool right = false;
  switch (box) {
    case FormulaBox::Coefficient:
      if (formula_ == FormulaForm::Linear) {
        // a first, then b: the judging Enter is the one in the box of b.
        Emit(MoveFocus{WindowId::Game, game_window::kConstantBox});
        return;
      }
      right = value(FormulaBox::Coefficient) == problem_->a;
      break;
    case FormulaBox::Numerator:
      right = value(FormulaBox::Numerator) == problem_->a;
      break;
    case FormulaBox::Constant:
      right = value(FormulaBox::Coefficient) == problem_->a &&
              value(FormulaBox::Constant) == problem_->b;
      break;
  }
  // The formula earns a mark but no points: they were banked with the
  // relationship.
  std::vector<Mark>& marks = CurrentMarks();
  right = right && marks == std::vector<Mark>{Mark::Right};
  marks.push_back(right ? Mark::Right : Mark::Wrong);
  EndProblem();
}

}  // namespace tavri
