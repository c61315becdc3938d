// The help window's instructions in the face the screen has.
#pragma once

namespace tavri {

class DesignedWindow;

// The stand-in face sets its lines further apart than the designed one; each
// instruction is narrowed, once, rather than lose its last line below its
// box. The page never changes, so once is enough.
void FitInstructions(DesignedWindow& helpWindow);

}  // namespace tavri
