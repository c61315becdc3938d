#include "game/qt/points_label.h"

#include <QLabel>

#include "game/core/game_window_design.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"

namespace tavri {

void FitPointsLabel(DesignedWindow& gameWindow) {
  if (auto* points = gameWindow.Control<QLabel>(game_window::kPoints))
    points->setFont(FitToWidth(points->font(), QStringLiteral("10"), points->width()));
}

}  // namespace tavri
