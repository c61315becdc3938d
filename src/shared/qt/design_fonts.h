// The one Japanese face every window is drawn with, at the design's point
// sizes on the screen's pixels, and what a text takes in it.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include "app/core/front_end.h"

namespace tavri {

// "ＭＳ Ｐゴシック" where Windows has it; elsewhere the first installed of its
// stand-ins; where none is, all of them, to be tried in order.
QStringList DesignFamilies();

// Whether the first of DesignFamilies() is the design's face itself.
bool DesignFaceInstalled();

// A design font: `points` on a screen of `dpi` dots per inch, as a pixel
// size, so that text keeps its place in the layout, which is in pixels too;
// its glyphs narrowed to `widthPercent` of their width.
QFont DesignFont(double points, bool bold, int dpi, int widthPercent = 100);

// What `text` takes in `font` as a label draws it: on one line (wrapWidth
// 0) or broken at wrapWidth pixels.
TextExtent MeasureLabelText(const QString& text, const QFont& font, int wrapWidth);

// Once at start-up: lets a font asked for by its Windows name find its
// stand-in (message boxes and menus ask by name).
void InstallFontSubstitutions();

}  // namespace tavri
