#include "help/ui/form2_window.h"

#include <QLabel>
#include <QPushButton>

#include "shared/ui/design_units.h"

namespace tavri {

namespace {

struct LabelDesign {
  const char* name;
  const Label Form2::*label;
  int left, top, width, height;
  double points;
  bool bold;
  QColor back, fore;
  bool autoSize;
};

const QColor kCyan(0, 255, 255), kRed(255, 0, 0), kGreen(0, 255, 0),
    kBlack(0, 0, 0), kMagenta(255, 0, 255), kWhite(255, 255, 255);

// In tab order; only the button ever takes the focus.
const LabelDesign kLabels[] = {
    {"Label2", &Form2::Label2, 360, 120, 5550, 1095, 18, true, kCyan, kRed, false},
    {"Label3", &Form2::Label3, 360, 1320, 5535, 2055, 14.25, false, kGreen, kBlack, false},
    {"Label4", &Form2::Label4, 360, 3480, 5535, 1815, 14.25, false, kGreen, kBlack, false},
    {"Label5", &Form2::Label5, 1080, 6120, 2925, 285, 14.25, true, kMagenta, kWhite, true},
    {"Label6", &Form2::Label6, 360, 5400, 5535, 615, 14.25, false, kGreen, kBlack, false},
};

}  // namespace

Form2Window::Form2Window(std::function<void()> showGameWindow, QWidget* parent)
    : QWidget(parent), showGameWindow_(std::move(showGameWindow)), core_(*this) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Ranvik(Orsel)"));
  setFixedSize(TwipsToPixels(6090), TwipsToPixels(6645));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(0, 0, 255));
  setPalette(palette);

  for (const LabelDesign& design : kLabels) {
    auto* label = new QLabel(QString::fromStdString((core_.*design.label).Caption), this);
    label->setObjectName(QString::fromLatin1(design.name));
    label->setGeometry(TwipsRect(design.left, design.top, design.width, design.height));
    label->setFont(DesignFont(design.points, design.bold));
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, design.back);
    colours.setColor(QPalette::WindowText, design.fore);
    label->setPalette(colours);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    if (design.autoSize) {
      label->adjustSize();
    } else {
      label->setWordWrap(true);
      // The stand-in face sets its lines further apart than the designed
      // one; the instructions are narrowed rather than lose their last line.
      label->setFont(FitToBox(label->font(), label->text(), label->size()));
    }
  }

  auto* back = new QPushButton(QString::fromStdString(core_.Command1.Caption), this);
  back->setObjectName(QStringLiteral("Command1"));
  back->setGeometry(TwipsRect(4800, 6120, 975, 495));
  back->setFont(DesignFont(12, false));
  back->setAutoDefault(false);
  connect(back, &QPushButton::clicked, this, [this] { core_.Command1_Click(); });
  back->setFocus();
}

void Form2Window::ShowGameWindow() {
  if (showGameWindow_) showGameWindow_();
}

void Form2Window::HideHelpWindow() { hide(); }

}  // namespace tavri
