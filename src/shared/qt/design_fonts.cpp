#include "shared/qt/design_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRect>

#include <algorithm>

#include "shared/design_faces.h"
#include "shared/design_units.h"

namespace tavri {

namespace {

QString Face(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QStringList DesignFamilies() {
  // Asked once: every family the font system has to look for and miss costs
  // start-up time, so the list holds the first face that is there (and the
  // rest, in case the answer was wrong).
  static const QStringList families = [] {
    QStringList candidates;
    for (std::string_view face : kDesignFaces) candidates.append(Face(face));
    // The plain list of installed families: asking for each by name would
    // make the font system resolve aliases, which costs more than it saves.
    const QStringList installed = QFontDatabase::families();
    for (qsizetype i = 0; i < candidates.size(); ++i) {
      if (installed.contains(candidates[i], Qt::CaseInsensitive)) {
        candidates.move(i, 0);
        break;
      }
    }
    return candidates;
  }();
  return families;
}

QFont DesignFont(double points, bool bold, int dpi) {
  QFont font;
  font.setFamilies(DesignFamilies());
  font.setPixelSize(PointsToPixels(points, dpi));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QFont FitToWidth(QFont font, const QString& text, int width) {
  // Every stretch tried loads a face of its own, so the first guess is the
  // proportional one, corrected a step at a time only when rounding missed.
  const int natural = QFontMetrics(font).horizontalAdvance(text);
  if (natural <= width || natural == 0) return font;
  for (int stretch = std::max(50, 100 * width / natural); stretch >= 50; --stretch) {
    font.setStretch(stretch);
    if (QFontMetrics(font).horizontalAdvance(text) <= width) break;
  }
  return font;
}

QFont FitToBox(QFont font, const QString& text, const QSize& box) {
  const QRect area(QPoint(0, 0), box);
  for (int stretch = 100; stretch >= 50; stretch -= 2) {
    font.setStretch(stretch);
    const QFontMetrics metrics(font);
    const QRect needed =
        metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    // The last line may lose the space below its glyphs, not the glyphs.
    const int spaceBelowLastLine = metrics.lineSpacing() - metrics.ascent();
    if (needed.height() - spaceBelowLastLine <= box.height() && needed.width() <= box.width())
      break;
  }
  return font;
}

void InstallFontSubstitutions() {
  QStringList standIns;
  for (std::size_t i = 1; i < kDesignFaces.size(); ++i) standIns.append(Face(kDesignFaces[i]));
  QFont::insertSubstitutions(Face(kDesignFaces[0]), standIns);
}

}  // namespace tavri
