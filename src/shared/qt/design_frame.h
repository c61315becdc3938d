// A frame of the design: a box filled with its back colour, an etched border
// whose top edge runs through the middle of the caption, and the caption in
// its fore colour at the top left, on the back colour. Drawn here rather
// than by the widget style, which would draw the caption outside the frame's
// colour and the border barely visible on a coloured body.
#pragma once

#include <QGroupBox>

namespace tavri {

class DesignFrame : public QGroupBox {
  Q_OBJECT

 public:
  explicit DesignFrame(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavri
