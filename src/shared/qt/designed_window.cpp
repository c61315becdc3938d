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

#include "app/core/window_order.h"
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

DesignedWindow::DesignedWindow(const WindowDesign& design, int dpi,
                               const std::vector<int>& stacking, QWidget* owner)
    : QMainWindow(owner, owner ? Qt::Dialog : Qt::Window), design_(design), dpi_(dpi) {
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
  // Later among its siblings is further in front.
  for (int row : stacking)
    if (QWidget* widget = Control(row)) widget->raise();
  const std::vector<int> tabOrder = TabOrder(design_);
  for (std::size_t i = 1; i < tabOrder.size(); ++i)
    QWidget::setTabOrder(Control(tabOrder[i - 1]), Control(tabOrder[i]));
  for (std::size_t row = 0; row < controls_.size(); ++row)
    if (std::find(tabOrder.begin(), tabOrder.end(), static_cast<int>(row)) == tabOrder.end())
      controls_[row]->setFocusPolicy(Qt::NoFocus);
  ensurePolished();
  adjustSize();
}

int DesignedWindow::Pixels(int twips) const { return TwipsToPixels(twips, dpi_); }

QFont DesignedWindow::FontOf(const ControlDesign& control, int widthPercent) const {
  return control.points > 0 ? DesignFont(control.points, control.bold, dpi_, widthPercent)
                            : DesignFont(design_.fontPoints, design_.fontBold, dpi_, widthPercent);
}

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

std::optional<int> DesignedWindow::RowOf(const QWidget* widget) const {
  const auto found = std::find(controls_.begin(), controls_.end(), widget);
  if (found == controls_.end()) return std::nullopt;
  return static_cast<int>(found - controls_.begin());
}

int DesignedWindow::WidthPercent(int control) const {
  return control >= 0 && control < static_cast<int>(widthPercent_.size())
             ? widthPercent_[static_cast<std::size_t>(control)]
             : 100;
}

void DesignedWindow::BuildControls() {
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
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, control] { Q_EMIT clicked(control); });
        widget = button;
        break;
      }
      case ControlKind::TextBox: {
        auto* box = new QLineEdit(container);
        connect(box, &QLineEdit::textEdited, this,
                [this, control](const QString& text) { Q_EMIT textEdited(control, text); });
        box->installEventFilter(this);
        widget = box;
        break;
      }
      case ControlKind::Frame: widget = new DesignFrame(container); break;
      case ControlKind::Line: {
        const QLine ends(Pixels(design.left), Pixels(design.top), Pixels(design.width),
                         Pixels(design.height));
        widget = new DesignLine(ends, ScalePixels(design.lineWidth, dpi_),
                                Colour(design.fore.value_or(Rgb{})), container);
        break;
      }
    }
    widget->setObjectName(QString::fromUtf8(design.designName));
    if (design.kind != ControlKind::Line) {
      widget->setGeometry(Pixels(design.left), Pixels(design.top), Pixels(design.width),
                          Pixels(design.height));
      widget->setFont(FontOf(design));
      // A text box's colours are those of its typing area.
      const bool box = design.kind == ControlKind::TextBox;
      QPalette palette = ToolkitPalette(widget);
      if (design.back) palette.setColor(box ? QPalette::Base : QPalette::Window, Colour(*design.back));
      if (design.fore) palette.setColor(box ? QPalette::Text : QPalette::WindowText, Colour(*design.fore));
      widget->setPalette(palette);
    }
    controls_.push_back(widget);
  }
  widthPercent_.assign(controls_.size(), 100);
}

void DesignedWindow::BuildMenus() {
  menuItems_.assign(design_.menus.size(), nullptr);
  menuChecked_.assign(design_.menus.size(), false);
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
      connect(action, &QAction::triggered, this, [this, action, item] {
        // The check mark is what was drawn, not the toolkit's own toggle.
        if (action->isCheckable()) action->setChecked(menuChecked_[static_cast<std::size_t>(item)]);
        Q_EMIT menuChosen(item);
      });
    menuItems_[id] = action;
  }
}

void DesignedWindow::Draw(const WindowLook& look) {
  const std::size_t count = std::min(controls_.size(), look.controls.size());
  for (std::size_t id = 0; id < count; ++id) {
    const ControlLook& shown = look.controls[id];
    const ControlDesign& design = design_.controls[id];
    QWidget* widget = controls_[id];
    const QString text = ToQString(shown.text);
    switch (design.kind) {
      case ControlKind::Label: {
        auto* label = static_cast<QLabel*>(widget);
        if (label->text() != text) label->setText(text);
        if (widthPercent_[id] != shown.widthPercent) {
          widthPercent_[id] = shown.widthPercent;
          label->setFont(FontOf(design, shown.widthPercent));
        }
        // Keeps Left and Top.
        if (shown.size) label->resize(shown.size->width, shown.size->height);
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
  for (std::size_t item = 0; item < menuItems_.size() && item < look.menuChecked.size(); ++item) {
    menuChecked_[item] = look.menuChecked[item];
    if (QAction* action = menuItems_[item]; action && action->isCheckable())
      action->setChecked(look.menuChecked[item]);
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
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<int> row = RowOf(qobject_cast<QWidget*>(watched));
  if (!row) return QMainWindow::eventFilter(watched, event);
  if (design_.controls[static_cast<std::size_t>(*row)].kind == ControlKind::Button) {
    // A button takes Enter, with or without Shift, as a click; with Ctrl or
    // Alt it is no click.
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    return enter && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  }
  // Reported, never swallowed: the key still reaches the box.
  if (const std::optional<int> code = KeyAscii(*key)) Q_EMIT keyPressed(*row, *code);
  return false;
}

std::optional<int> KeyAscii(const QKeyEvent& event) {
  if (event.modifiers() & Qt::AltModifier) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return event.modifiers() & Qt::ControlModifier ? 10 : kEnterKey;
    // They move the focus or edit; they type nothing.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return std::nullopt;
    default: break;
  }
  const QString text = event.text();
  if (text.size() == 1) return text.at(0).unicode();
  return std::nullopt;
}

}  // namespace tavri
