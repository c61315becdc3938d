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

namespace tavri::ui {

inline constexpr int kTwipsPerPixel = 15;

// Every position of the designs is a whole number of pixels; rounding only
// guards against a value that is not.
constexpr int Pixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A point is 4/3 of a pixel at 96 dpi. Sizing in pixels keeps the designed
// size whatever dpi the platform reports.
inline int FontPixels(double points) {
  return static_cast<int>(std::lround(points * 4.0 / 3.0));
}

// The designed face first; where it is missing (it is a Windows font) the
// freely available IPA proportional Gothic has the same metrics class.
inline QStringList DesignFamilies() {
  return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
          QStringLiteral("IPAPGothic")};
}

inline QFont DesignFont(double points, bool bold) {
  QFont font;
  font.setFamilies(DesignFamilies());
  font.setPixelSize(FontPixels(points));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

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
