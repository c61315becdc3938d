// The one Japanese face every window is drawn with, at the design's point
// sizes on the screen's pixels, and the narrowing that keeps a text whole
// where the stand-in face runs wider than the designed one.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tavri {

// "ＭＳ Ｐゴシック" where Windows has it; elsewhere the proportional IPA
// Gothic, first among the families, so the whole list is tried in order.
QStringList DesignFamilies();

// A design font: `points` on a screen of `dpi` dots per inch, as a pixel
// size, so that text keeps its place in the layout, which is in pixels too.
QFont DesignFont(double points, bool bold, int dpi);

// The font, narrowed just enough that `text` fits in `width` pixels; as it
// was when it fits already. Height and weight stay as designed.
QFont FitToWidth(QFont font, const QString& text, int width);

// The same for a label that wraps its text: narrowed just enough that every
// line of `text` fits inside `box`.
QFont FitToBox(QFont font, const QString& text, const QSize& box);

// Once at start-up: lets a font asked for by its Windows name find its
// stand-in (message boxes and menus ask by name).
void InstallFontSubstitutions();

}  // namespace tavri
