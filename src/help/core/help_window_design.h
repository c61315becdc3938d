// The help window as drawn up: a fixed page of instructions and a way back.
#pragma once

#include "shared/window_design.h"

namespace tavri::help_window {

enum Control : int {
  kIntroduction,
  kHowToPlay,
  kPointsAndResults,
  kRanges,
  kCredit,
  kBackButton,
  kControlCount
};

const WindowDesign& Design();

}  // namespace tavri::help_window
