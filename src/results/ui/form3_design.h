// The results window as designed: every control's place, size, font and
// colours, in the design's units (twips, points), converted where used.
#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

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

// Twips to pixels at 96 dpi (15 to a pixel), to the nearest pixel.
int TwipsToPixels(int twips);
QRect PixelRect(const ControlDesign& control);
// The design face, with Japanese proportional Gothic faces standing in where
// it is missing; the size in pixels (points * 4 / 3) so the layout matches
// the design whatever the screen's dpi.
QFont DesignFont(double points, bool bold);
// The window's own font: the user-interface font at a small size.
QFont WindowFont();

}  // namespace tavri
