// The units and the face in which the windows were drawn up: positions and
// sizes in twips, fonts in points, both meant for a 96 dpi screen, and one
// Japanese proportional Gothic throughout.
#pragma once

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cmath>

#include "shared/ui/design_units.h"

namespace tavri::ui {

// Positions in twips to pixels; fonts come from DesignFont.
constexpr int Pixels(int twips) { return TwipsToPixels(twips); }

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  QColor Colour() const { return QColor(red, green, blue); }
};

// A control without colours of its own keeps the toolkit's, not the colours
// of the window or frame it sits on (palettes are inherited otherwise).
inline QPalette ToolkitPalette(const QWidget* widget) {
  QPalette palette = QApplication::palette(widget);
  palette.setResolveMask(~QPalette::ResolveMask(0));
  return palette;
}

// Names of array members carry their index as the design writes it:
// "kotae(0)"; other controls keep their plain name.
inline QString DesignName(const char* name, int index) {
  QString plain = QString::fromUtf8(name);
  return index < 0 ? plain : plain + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// Captions are shown as written; an "&" must not turn into an access key.
inline QString LiteralCaption(const QString& caption) {
  QString escaped = caption;
  escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
  return escaped;
}

}  // namespace tavri::ui
