// The units every window is laid out in: twips for positions, points at
// 96 dpi for fonts, and the one Japanese face the windows are drawn with.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace tavri {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels at 96 dpi, to the nearest pixel (732 twips are 49).
constexpr int TwipsToPixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

// "ＭＳ Ｐゴシック" where Windows has it; elsewhere the proportional IPA
// Gothic at the same size. Pixel sizes keep the layout identical whatever
// the screen's logical dpi; Qt's high-dpi scaling enlarges the whole window.
QFont DesignFont(double points, bool bold);

// The designed face first, then its stand-ins.
QStringList DesignFamilies();

// The font, narrowed just enough that `text` fits in `width` pixels; as it
// was when it fits already. Height and weight stay as designed.
QFont FitToWidth(QFont font, const QString& text, int width);

// The same for a label that wraps its text: narrowed just enough that every
// line of `text` fits inside `box`.
QFont FitToBox(QFont font, const QString& text, const QSize& box);

// Once at start-up: lets a font asked for by its Windows name find its
// stand-in.
void InstallFontSubstitutions();

}  // namespace tavri
