// kotae_Click: the first answer stage, choosing how y depends on x.
#include "game/core/form1.h"

namespace tavri {

void Form1::kotae_Click(int Index) {
  // A hidden or disabled button cannot be clicked; a stray call for one
  // (or before the first problem) must not judge anything.
  if (Index < 0 || Index >= static_cast<int>(kotae.size())) return;
  const auto& clicked = kotae[static_cast<std::size_t>(Index)];
  if (!clicked.Visible || !clicked.Enabled || !ProblemIsOpen()) return;

  Timer1.Interval = 0;
  platform_.Beep();

  if (Index == kind) {
    MarkCell().Caption = "○";
    // The points the player saw are what counts, so they are read back from
    // the label rather than taken from the variable.
    tokutenyo.Caption = SignedText(TextValue(tokuten.Caption) + TextValue(tokutenyo.Caption));
    LaY.Visible = true;
    switch (Index) {
      case kProportional:
        LaX1.Visible = true;
        TextA1.Visible = true;
        focusRequest = Focus::TextA1;
        break;
      case kInverse:
        LaX2.Visible = true;
        TextA2.Visible = true;
        Line3.Visible = true;
        focusRequest = Focus::TextA2;
        break;
      case kLinear:
        LaX1.Visible = true;
        TextA1.Visible = true;
        TextB.Visible = true;
        focusRequest = Focus::TextA1;
        break;
      default:
        break;
    }
    for (auto& button : kotae) button.Enabled = false;
    enter.Visible = true;
    return;
  }

  MarkCell().Caption = "×";
  if (problemNo == kLastProblem) {
    GameEnd(EndCause::Answer);
    return;
  }
  HideFormulaEntry();
  NewProblem();
}

bool Form1::ProblemIsOpen() const { return problemNo >= 1 && problemNo <= kLastProblem; }

Label& Form1::MarkCell() { return sikiyo[static_cast<std::size_t>(problemNo - 1)]; }

}  // namespace tavri
