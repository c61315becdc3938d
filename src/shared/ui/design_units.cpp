#include "shared/ui/design_units.h"

#include <QFontMetrics>
#include <QStringList>
#include <cmath>

namespace tavri {

namespace {
const QString kDesignFace = QStringLiteral("ＭＳ Ｐゴシック");
}

QStringList DesignFamilies() {
  return {kDesignFace, QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
          QStringLiteral("IPAGothic")};
}

QFont DesignFont(double points, bool bold) {
  QFont font;
  font.setFamilies(DesignFamilies());
  font.setPixelSize(static_cast<int>(std::lround(points * 4.0 / 3.0)));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

QFont FitToWidth(QFont font, const QString& text, int width) {
  for (int stretch = 100; stretch >= 50; stretch -= 2) {
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
  QFont::insertSubstitutions(kDesignFace, {QStringLiteral("MS PGothic"),
                                           QStringLiteral("IPAPGothic"),
                                           QStringLiteral("IPAGothic")});
}

}  // namespace tavri
