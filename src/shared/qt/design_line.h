// A straight line of the design: a colour and a width in pixels between two
// points of its container. It takes no clicks and paints nothing else, so
// whatever lies behind it shows around the stroke.
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace tavri {

class DesignLine : public QWidget {
  Q_OBJECT

 public:
  DesignLine(QLine line, int penWidth, QColor colour, QWidget* parent);

  // The two ends, in the container's pixels.
  QLine line() const { return line_; }
  int penWidth() const { return penWidth_; }
  QColor colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLine line_;
  int penWidth_;
  QColor colour_;
};

}  // namespace tavri
