#include "shared/qt/design_line.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>

namespace tavri {

DesignLine::DesignLine(QLine line, int penWidth, QColor colour, QWidget* parent)
    : QWidget(parent), line_(line), penWidth_(penWidth), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  const int half = penWidth / 2;
  const int left = std::min(line.x1(), line.x2());
  const int top = std::min(line.y1(), line.y2());
  const int dx = std::abs(line.dx());
  const int dy = std::abs(line.dy());
  // A level or upright line is exactly its stroke: from the first end up to
  // (not including) the second, penWidth pixels thick and centred on the
  // line, so it never spills over the edge of the block it separates.
  if (dy == 0)
    setGeometry(left, top - half, std::max(dx, 1), penWidth);
  else if (dx == 0)
    setGeometry(left - half, top, penWidth, std::max(dy, 1));
  else
    setGeometry(left - half, top - half, dx + penWidth, dy + penWidth);
}

void DesignLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (line_.dx() == 0 || line_.dy() == 0) {
    painter.fillRect(rect(), colour_);
    return;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour_, penWidth_, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(line_.translated(-pos()));
}

}  // namespace tavri
