// What the game window shows, derived from the game's values.
#include "game/core/game.h"

#include "shared/conversions.h"

namespace tavri {

using namespace game_window;

namespace {

std::string MarkText(const std::vector<Mark>& marks) {
  std::string text;
  for (Mark mark : marks) text += mark == Mark::Right ? "○" : "×";
  return text;
}

// 10 without the sign's blank, so the big label shows both digits; the
// falling points " 9" … " 0" keep it.
std::string PointsText(int points) {
  const std::string text = SignedText(points);
  return points == kStartPoints ? text.substr(text.size() - 2) : text;
}

}  // namespace

WindowState Game::State() const {
  WindowState state = DesignState(Design());
  auto& c = state.controls;
  const auto text = [&c](int control, std::string value) {
    c[static_cast<std::size_t>(control)].text = std::move(value);
  };
  const auto show = [&c](int control, bool visible) {
    c[static_cast<std::size_t>(control)].visible = visible;
  };

  for (int i = 0; i < kProblemCount; ++i) text(kMarkCells + i, MarkText(marks(i)));
  if (problem_) {
    text(kProblemHeading, "第" + SignedText(problemNumber_) + "問");
    for (int d = 0; d < kColumns; ++d) {
      const std::int16_t x = problem_->xs[static_cast<std::size_t>(d)];
      text(kXCells + d, SignedText(x));
      text(kYCells + d, problem_->YText(x));
    }
    text(kPoints, PointsText(points_));
  }
  if (total_) text(kTotalButton, SignedText(*total_));

  for (int i = 0; i < kRelationshipCount; ++i)
    c[static_cast<std::size_t>(kRelationshipButtons + i)].enabled = relationshipOpen_;
  // y = ax² is part of the window but never asked for.
  show(kRelationshipButtons + static_cast<int>(Relationship::SquareProportional), false);

  const bool a = formula_ == FormulaForm::Proportional || formula_ == FormulaForm::Linear;
  const bool inverse = formula_ == FormulaForm::Inverse;
  show(kFormulaY, formula_ != FormulaForm::None);
  show(kCoefficientBox, a);
  show(kFormulaX, a);
  show(kConstantBox, formula_ == FormulaForm::Linear);
  show(kNumeratorBox, inverse);
  show(kFractionBar, inverse);
  show(kDenominatorX, inverse);
  show(kExponent, false);
  show(kEnterHint, formula_ != FormulaForm::None);
  text(kCoefficientBox, boxText(FormulaBox::Coefficient));
  text(kNumeratorBox, boxText(FormulaBox::Numerator));
  text(kConstantBox, boxText(FormulaBox::Constant));

  text(kRangeButton, "ｘの値：" + std::string(RangeName(session_.range)));
  for (int r = 0; r < kRangeCount; ++r)
    state.menuChecked[static_cast<std::size_t>(kRangeItems + r)] = RangeIndex(session_.range) == r;
  return state;
}

}  // namespace tavri
