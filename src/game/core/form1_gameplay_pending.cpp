// Handlers of the problems and their answers. The problem generator, the
// relationship choice, the formula check, the countdown and the x range are
// filled in by the gameplay work; until then a problem is not made.
#include "game/core/form1.h"

namespace tavri {

void Form1::NewProblem() {}
void Form1::Command3_Click() {}
void Form1::kotae_Click(int) {}
void Form1::TextA1_KeyPress(int) {}
void Form1::TextA2_KeyPress(int) {}
void Form1::TextB_KeyPress(int) {}
void Form1::Timer1_Timer() {}
void Form1::en_Click(int) {}

}  // namespace tavri
