// The points label of the game window in the face the screen has.
#pragma once

namespace tavri {

class DesignedWindow;

// The stand-in face draws its digits wider than the designed one; the
// points label must still show a whole "10" at the start of a problem, so
// its font is narrowed once, when the window is built.
void FitPointsLabel(DesignedWindow& gameWindow);

}  // namespace tavri
