#include "shared/ui/design_units.h"

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

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(kDesignFace, {QStringLiteral("MS PGothic"),
                                           QStringLiteral("IPAPGothic"),
                                           QStringLiteral("IPAGothic")});
}

}  // namespace tavri
