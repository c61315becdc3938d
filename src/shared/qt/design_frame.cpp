#include "shared/qt/design_frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace tavri {

namespace {
// Where the caption starts, and the gap the border leaves on either side.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionGap = 2;
}  // namespace

DesignFrame::DesignFrame(QWidget* parent) : QGroupBox(parent) {
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
}

void DesignFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(border);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(border.translated(1, 1));

  QString caption = title();
  if (caption.isEmpty()) return;
  caption.replace(QLatin1String("&&"), QLatin1String("&"));
  const QRect captionBox(kCaptionLeft, 0,
                         metrics.horizontalAdvance(caption) + 2 * kCaptionGap,
                         metrics.height());
  painter.fillRect(captionBox, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

}  // namespace tavri
