#include "help/qt/instructions.h"

#include <QLabel>

#include "help/core/help_window_design.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"

namespace tavri {

void FitInstructions(DesignedWindow& helpWindow) {
  for (int control : {help_window::kIntroduction, help_window::kHowToPlay,
                      help_window::kPointsAndResults, help_window::kRanges}) {
    if (auto* label = helpWindow.Control<QLabel>(control))
      label->setFont(FitToBox(label->font(), label->text(), label->size()));
  }
}

}  // namespace tavri
