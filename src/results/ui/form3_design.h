// The results window as designed: every control's place, size, font and
// colours, in the design's units (twips, points), converted where used.
#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "shared/ui/design_units.h"

namespace tavri {

enum class ControlKind { Label, Button, TextBox, Line };

struct ControlDesign {
  QString name;
  ControlKind kind;
  // Twips from the top-left corner of the client area. A line goes from
  // (left, top) to (left + width, top + height).
  int left, top, width, height;
  double points;  // 0: the window's own font
  bool bold;
  std::optional<QColor> back;  // none: the window's background
  std::optional<QColor> fore;  // none: the default text colour
  Qt::Alignment align;
  bool autoSize;
};

struct WindowDesign {
  QString caption;
  int clientWidth, clientHeight;  // twips
  QColor background;
  std::vector<ControlDesign> controls;
};

const WindowDesign& Form3Design();

QRect PixelRect(const ControlDesign& control);
// The window's own font: the user-interface font at a small size.
QFont WindowFont();

}  // namespace tavri
