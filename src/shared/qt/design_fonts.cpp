#include "shared/qt/design_fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "shared/design_faces.h"
#include "shared/design_units.h"

namespace tavri {

namespace {

QString Face(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The families in the order of kDesignFaces, the first installed moved to
// the front; and whether it is one of the design face's own names.
struct Families {
  QStringList list;
  bool designFace = false;
};

const Families& InstalledFamilies() {
  // Asked once: every family the font system has to look for and miss costs
  // start-up time, so the list is the first face that is there and nothing
  // else (a font of several families has Qt ask the font system for each
  // one's fallbacks: a twentieth of the start-up). Only when none is there
  // does it name them all, for the font system to do what it can.
  static const Families families = [] {
    Families found;
    for (std::string_view face : kDesignFaces) found.list.append(Face(face));
    // The plain list of installed families: asking for each by name would
    // make the font system resolve aliases, which costs more than it saves.
    const QStringList installed = QFontDatabase::families();
    for (qsizetype i = 0; i < found.list.size(); ++i) {
      if (installed.contains(found.list[i], Qt::CaseInsensitive)) {
        found.designFace = i < static_cast<qsizetype>(kDesignFaceNames);
        found.list = QStringList{found.list[i]};
        break;
      }
    }
    return found;
  }();
  return families;
}

}  // namespace

QStringList DesignFamilies() { return InstalledFamilies().list; }

bool DesignFaceInstalled() { return InstalledFamilies().designFace; }

QFont DesignFont(double points, bool bold, int dpi, int widthPercent) {
  QFont font;
  font.setFamilies(DesignFamilies());
  font.setPixelSize(PointsToPixels(points, dpi));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  // Unnarrowed is left as the face comes, so that a font measured and the
  // font a label draws with are one and the same.
  if (widthPercent != 100) font.setStretch(widthPercent);
  return font;
}

TextExtent MeasureLabelText(const QString& text, const QFont& font, int wrapWidth) {
  // The size is the label's own reckoning (QLabel sizes its text with these
  // flags); the lines are laid out as it breaks them.
  const QFontMetrics metrics(font);
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wrapWidth > 0 ? Qt::TextWordWrap : 0);
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, wrapWidth > 0 ? wrapWidth : 2000, 2000), flags, text);
  TextExtent box{needed.width(), needed.height(), 1, metrics.descent()};
  if (text.isEmpty()) return box;

  QString laidOut = text;
  laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(laidOut, font);
  QTextOption option;
  option.setWrapMode(wrapWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
    line.setLineWidth(wrapWidth > 0 ? wrapWidth : 0x1000000);
  layout.endLayout();
  box.lines = std::max(1, layout.lineCount());
  if (layout.lineCount() > 0)
    box.descent = static_cast<int>(std::ceil(layout.lineAt(layout.lineCount() - 1).descent()));
  return box;
}

void InstallFontSubstitutions() {
  QStringList standIns;
  for (std::size_t i = 1; i < kDesignFaces.size(); ++i) standIns.append(Face(kDesignFaces[i]));
  QFont::insertSubstitutions(Face(kDesignFaces[0]), standIns);
}

}  // namespace tavri
