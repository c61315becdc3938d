// The second answer stage: the coefficients typed into TextA1, TextA2 and
// TextB, judged when Enter is pressed in a box.
#include "game/core/form1.h"

namespace tavri {

namespace {
constexpr int kEnterKey = 13;
}  // namespace

// Every key still reaches the box: the handlers only look at it.
void Form1::TextA1_KeyPress(int KeyAscii) {
  if (KeyAscii != kEnterKey || !TextA1.Visible || !ProblemIsOpen()) return;
  if (kind == kLinear) {
    // a first, then b: the judging Enter is the one in TextB.
    focusRequest = Focus::TextB;
    return;
  }
  JudgeFormula(TextValue(TextA1.Text) == coefA);
}

void Form1::TextA2_KeyPress(int KeyAscii) {
  if (KeyAscii != kEnterKey || !TextA2.Visible || !ProblemIsOpen()) return;
  JudgeFormula(TextValue(TextA2.Text) == coefA);
}

void Form1::TextB_KeyPress(int KeyAscii) {
  if (KeyAscii != kEnterKey || !TextB.Visible || !ProblemIsOpen()) return;
  JudgeFormula(TextValue(TextA1.Text) == coefA && TextValue(TextB.Text) == coefB);
}

// The formula earns a mark but no points: the points were banked with the
// relationship.
void Form1::JudgeFormula(bool valuesRight) {
  Label& cell = MarkCell();
  const bool right = valuesRight && cell.Caption == "○";
  cell.Caption += right ? "○" : "×";
  if (problemNo == kLastProblem) {
    GameEnd(EndCause::Answer);
    return;
  }
  HideFormulaEntry();
  NewProblem();
}

}  // namespace tavri
