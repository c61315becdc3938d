#include "shared/qt/designed_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>
#include <utility>

#include "shared/design_units.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/design_frame.h"
#include "shared/qt/design_line.h"
#include "shared/qt/qt_text.h"
#include "shared/window_model.h"

namespace tavri {

namespace {

QColor Colour(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

Qt::Alignment HorizontalAlignment(Align align) {
  switch (align) {
    case Align::Centre: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    case Align::Left: break;
  }
  return Qt::AlignLeft;
}

// A control without colours of its own keeps the toolkit's, not those of
// the window or frame it sits on (palettes are inherited otherwise).
QPalette ToolkitPalette(const QWidget* widget) {
  QPalette palette = QApplication::palette(widget);
  palette.setResolveMask(~QPalette::ResolveMask(0));
  return palette;
}

}  // namespace

DesignedWindow::DesignedWindow(const WindowDesign& design, int dpi, QWidget* parent,
                               Qt::WindowFlags flags)
    : QMainWindow(parent, flags), design_(design), dpi_(dpi) {
  setObjectName(QString::fromUtf8(design.designName));
  setWindowTitle(QString::fromUtf8(design.caption));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(Pixels(design.clientWidth), Pixels(design.clientHeight));
  client_->setAutoFillBackground(true);
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, Colour(design.back));
  client_->setPalette(palette);
  client_->setFont(DesignFont(design.fontPoints, design.fontBold, dpi_));
  setCentralWidget(client_);
  // The layout is absolute: the window is exactly its menu bar and the
  // client area, and nothing follows a change of size.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  BuildControls();
  BuildMenus();
  SetTabOrder();
  Draw(DesignState(design));
}

int DesignedWindow::Pixels(int twips) const { return TwipsToPixels(twips, dpi_); }

QWidget* DesignedWindow::Control(int control) const {
  return control >= 0 && control < static_cast<int>(controls_.size())
             ? controls_[static_cast<std::size_t>(control)]
             : nullptr;
}

QAction* DesignedWindow::MenuItem(int item) const {
  return item >= 0 && item < static_cast<int>(menuItems_.size())
             ? menuItems_[static_cast<std::size_t>(item)]
             : nullptr;
}

void DesignedWindow::BuildControls() {
  const QFont windowFont = DesignFont(design_.fontPoints, design_.fontBold, dpi_);
  std::vector<QWidget*> lines;
  std::vector<QWidget*> inputs;
  for (const ControlDesign& design : design_.controls) {
    const int control = static_cast<int>(controls_.size());
    // A frame's row comes before the rows of the controls inside it.
    QWidget* container = design.container == kOnClientArea ? client_ : Control(design.container);
    Q_ASSERT(container);
    QWidget* widget = nullptr;
    switch (design.kind) {
      case ControlKind::Label: {
        auto* label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        label->setFrameShape(QFrame::NoFrame);
        label->setMargin(0);
        label->setIndent(0);
        // Text starts at the top of the box; only its run across is designed.
        label->setAlignment(HorizontalAlignment(design.align) | Qt::AlignTop);
        label->setWordWrap(!design.autoSize);
        widget = label;
        break;
      }
      case ControlKind::Button: {
        auto* button = new QPushButton(container);
        // Enter presses the button that has the focus, as Space does; no
        // button is the window's default button.
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, control] { Q_EMIT clicked(control); });
        widget = button;
        inputs.push_back(button);
        break;
      }
      case ControlKind::TextBox: {
        auto* box = new QLineEdit(container);
        connect(box, &QLineEdit::textEdited, this,
                [this, control](const QString& text) { Q_EMIT textEdited(control, text); });
        box->installEventFilter(this);
        widget = box;
        inputs.push_back(box);
        break;
      }
      case ControlKind::Frame:
        widget = new DesignFrame(container);
        inputs.push_back(widget);
        break;
      case ControlKind::Line: {
        const QLine ends(Pixels(design.left), Pixels(design.top), Pixels(design.width),
                         Pixels(design.height));
        widget = new DesignLine(ends, ScalePixels(design.lineWidth, dpi_),
                                Colour(design.fore.value_or(Rgb{})), container);
        lines.push_back(widget);
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(design.designName));
    if (design.kind != ControlKind::Line) {
      widget->setGeometry(Pixels(design.left), Pixels(design.top), Pixels(design.width),
                          Pixels(design.height));
      widget->setFont(design.points > 0 ? DesignFont(design.points, design.bold, dpi_)
                                        : windowFont);
      // A text box's colours are those of its typing area.
      const bool box = design.kind == ControlKind::TextBox;
      QPalette palette = ToolkitPalette(widget);
      if (design.back) palette.setColor(box ? QPalette::Base : QPalette::Window, Colour(*design.back));
      if (design.fore) palette.setColor(box ? QPalette::Text : QPalette::WindowText, Colour(*design.fore));
      widget->setPalette(palette);
    }
    controls_.push_back(widget);
  }
  // Front to back: buttons, boxes and the frame lie in front of the lines,
  // and the lines in front of the labels (the white separators cross the
  // blue bands, the fraction bar crosses the denominator's label).
  for (QWidget* line : lines) line->raise();
  for (QWidget* input : inputs) input->raise();
}

void DesignedWindow::BuildMenus() {
  menuItems_.assign(design_.menus.size(), nullptr);
  if (design_.menus.empty()) return;
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  QFont menuFont = QApplication::font(bar);
  menuFont.setFamilies(DesignFamilies());
  bar->setFont(menuFont);
  QMenu* current = nullptr;
  for (std::size_t id = 0; id < design_.menus.size(); ++id) {
    const MenuDesign& design = design_.menus[id];
    const QString name = QString::fromUtf8(design.designName);
    const QString caption = LiteralCaption(QString::fromUtf8(design.caption));
    if (design.level == MenuLevel::Top) {
      current = bar->addMenu(caption);
      current->setObjectName(name);
      current->menuAction()->setObjectName(name);
      // A menu is a window of its own and inherits no font.
      current->setFont(menuFont);
      menuItems_[id] = current->menuAction();
      continue;
    }
    Q_ASSERT(current);
    QAction* action = design.separator ? current->addSeparator() : current->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(design.checkable);
    const int item = static_cast<int>(id);
    if (!design.separator)
      connect(action, &QAction::triggered, this, [this, item] { Q_EMIT menuChosen(item); });
    menuItems_[id] = action;
  }
}

void DesignedWindow::SetTabOrder() {
  std::vector<std::pair<int, QWidget*>> stops;
  for (std::size_t id = 0; id < controls_.size(); ++id) {
    const ControlDesign& design = design_.controls[id];
    const bool input = design.kind == ControlKind::Button || design.kind == ControlKind::TextBox;
    if (input && design.tabIndex != kNoTabStop)
      stops.emplace_back(design.tabIndex, controls_[id]);
    else
      controls_[id]->setFocusPolicy(Qt::NoFocus);
  }
  std::sort(stops.begin(), stops.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& stop : stops) tabOrder_.push_back(stop.second);
  for (std::size_t i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void DesignedWindow::Draw(const WindowState& state) {
  const std::size_t count = std::min(controls_.size(), state.controls.size());
  for (std::size_t id = 0; id < count; ++id) {
    const ControlState& shown = state.controls[id];
    const ControlDesign& design = design_.controls[id];
    QWidget* widget = controls_[id];
    const QString text = ToQString(shown.text);
    switch (design.kind) {
      case ControlKind::Label: {
        auto* label = static_cast<QLabel*>(widget);
        if (label->text() == text) break;
        label->setText(text);
        // Keeps Left and Top and fits the new text.
        if (design.autoSize) label->adjustSize();
        break;
      }
      case ControlKind::Button: {
        auto* button = static_cast<QPushButton*>(widget);
        if (const QString caption = LiteralCaption(text); button->text() != caption)
          button->setText(caption);
        break;
      }
      case ControlKind::TextBox: {
        auto* box = static_cast<QLineEdit*>(widget);
        if (box->text() != text) box->setText(text);
        break;
      }
      case ControlKind::Frame: {
        auto* frame = static_cast<QGroupBox*>(widget);
        if (const QString caption = LiteralCaption(text); frame->title() != caption)
          frame->setTitle(caption);
        break;
      }
      case ControlKind::Line: break;
    }
    widget->setEnabled(shown.enabled);
    widget->setVisible(shown.visible);
  }
  for (std::size_t item = 0; item < menuItems_.size() && item < state.menuChecked.size(); ++item)
    if (QAction* action = menuItems_[item]; action && action->isCheckable())
      action->setChecked(state.menuChecked[item]);
}

void DesignedWindow::FocusFirstControl() {
  for (QWidget* widget : tabOrder_) {
    if (widget->isVisibleTo(this) && widget->isEnabled()) {
      widget->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void DesignedWindow::FocusControl(int control) {
  if (QWidget* widget = Control(control)) widget->setFocus(Qt::OtherFocusReason);
}

void DesignedWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT closeBoxClicked();
}

bool DesignedWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto found = std::find(controls_.begin(), controls_.end(), watched);
    const std::optional<int> code = KeyAscii(*static_cast<QKeyEvent*>(event));
    // Reported, never swallowed: the key still reaches the box.
    if (found != controls_.end() && code)
      Q_EMIT keyPressed(static_cast<int>(found - controls_.begin()), *code);
  }
  return QMainWindow::eventFilter(watched, event);
}

std::optional<int> KeyAscii(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kEnterKey;
  const QString text = event.text();
  if (text.size() == 1) return text.at(0).unicode();
  return std::nullopt;
}

}  // namespace tavri
