#include "game/ui/form1_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "game/ui/activation_watcher.h"
#include "game/ui/countdown_clock.h"
#include "game/ui/design_frame.h"
#include "game/ui/design_line.h"
#include "game/ui/design_style.h"
#include "game/ui/form1_layout.h"
#include "game/ui/key_press_forwarder.h"

namespace tavri {

using ui::ControlDesign;
using ui::ControlType;
using ui::DesignName;
using ui::Pixels;

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

QRect PixelRect(const ControlDesign& design) {
  return QRect(Pixels(design.left), Pixels(design.top), Pixels(design.width),
               Pixels(design.height));
}

}  // namespace

Form1Window::Form1Window(Form1& form, QWidget* parent) : QMainWindow(parent), form_(form) {
  Build();
  BuildMenus();
  Bind();
  Connect();
  watcher_ = new ui::ActivationWatcher(this, [this](Activation how) {
    // Answered once the activation itself is over: the notice is a modal box
    // with an event loop of its own, which is better not started from inside
    // the toolkit's activation handling.
    QMetaObject::invokeMethod(
        this, [this, how] { Run([this, how] { form_.Activated(how); }); },
        Qt::QueuedConnection);
  }, this);
}

Form1Window::~Form1Window() = default;

void Form1Window::Build() {
  const ui::WindowDesign& window = ui::Form1WindowDesign();
  setObjectName(QString::fromUtf8(window.name));
  setWindowTitle(QString::fromUtf8(window.caption));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(Pixels(window.clientWidth), Pixels(window.clientHeight));
  client_->setAutoFillBackground(true);
  QPalette clientPalette = client_->palette();
  clientPalette.setColor(QPalette::Window, window.back.Colour());
  client_->setPalette(clientPalette);
  // The window's font belongs to its controls; the menu bar keeps the
  // system's menu size.
  client_->setFont(DesignFont(window.fontPoints, window.fontBold));
  setCentralWidget(client_);
  // Fixed layout: the window is exactly the menu bar and the client area.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  std::vector<QWidget*> lines;
  std::vector<QWidget*> inputs;
  for (const ControlDesign& design : ui::Form1Controls()) {
    QWidget* container =
        design.container ? client_->findChild<QWidget*>(QString::fromUtf8(design.container))
                         : client_;
    Q_ASSERT(container);
    QWidget* widget = nullptr;
    switch (design.type) {
      case ControlType::Label: {
        auto* label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setAutoFillBackground(true);
        label->setFrameShape(QFrame::NoFrame);
        label->setMargin(0);
        label->setIndent(0);
        // Label text starts at the top of its box; only the horizontal
        // alignment is designed.
        const Qt::Alignment horizontal =
            design.align == ui::Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignTop);
        label->setWordWrap(!design.autoSize);
        widget = label;
        break;
      }
      case ControlType::CommandButton: {
        auto* button = new QPushButton(container);
        // As on Windows, Enter presses the button that has the focus; no
        // button is the window's default button.
        button->setAutoDefault(true);
        widget = button;
        inputs.push_back(button);
        break;
      }
      case ControlType::TextBox:
        widget = new QLineEdit(container);
        inputs.push_back(widget);
        break;
      case ControlType::Frame: {
        auto* frame = new ui::DesignFrame(container);
        frame_ = frame;
        widget = frame;
        inputs.push_back(frame);
        break;
      }
      case ControlType::Line: {
        const QLine line(Pixels(design.left), Pixels(design.top), Pixels(design.width),
                         Pixels(design.height));
        auto* drawn = new ui::DesignLine(line, design.lineWidth,
                                         design.fore.value_or(ui::Rgb{}).Colour(), container);
        drawn->setObjectName(DesignName(design.name, design.index));
        lines.push_back(drawn);
        continue;
      }
    }
    widget->setObjectName(DesignName(design.name, design.index));
    widget->setGeometry(PixelRect(design));
    widget->setFont(design.points > 0 ? DesignFont(design.points, design.bold)
                                      : DesignFont(window.fontPoints, window.fontBold));
    QPalette palette = ui::ToolkitPalette(widget);
    if (design.back) palette.setColor(QPalette::Window, design.back->Colour());
    if (design.fore) palette.setColor(QPalette::WindowText, design.fore->Colour());
    widget->setPalette(palette);
  }
  // Front to back: buttons, boxes and the frame lie in front of the lines,
  // and the lines in front of the labels (the white separators cross the
  // blue bands, the fraction bar crosses the denominator's label).
  for (QWidget* line : lines) line->raise();
  for (QWidget* input : inputs) input->raise();
  line3_ = client_->findChild<ui::DesignLine*>(QStringLiteral("Line3"));

  // The stand-in face draws its digits wider than the designed one; the
  // points label must still show a whole "10" at the start of a problem.
  if (auto* points = client_->findChild<QLabel*>(QStringLiteral("tokuten")))
    points->setFont(FitToWidth(points->font(), QStringLiteral("10"), points->width()));
}

void Form1Window::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  QFont menuFont = QApplication::font(bar);
  menuFont.setFamilies(DesignFamilies());
  bar->setFont(menuFont);
  QMenu* current = nullptr;
  for (const ui::MenuDesign& design : ui::Form1Menus()) {
    const QString name = DesignName(design.name, design.index);
    if (design.level == ui::MenuLevel::Top) {
      current = bar->addMenu(ui::LiteralCaption(QString::fromUtf8(design.caption)));
      current->setObjectName(name);
      current->menuAction()->setObjectName(name);
      // Menus are windows of their own and inherit no font.
      current->setFont(menuFont);
      continue;
    }
    QAction* action = design.separator
                          ? current->addSeparator()
                          : current->addAction(ui::LiteralCaption(QString::fromUtf8(design.caption)));
    action->setObjectName(name);
    action->setCheckable(design.checkable);
    action->setShortcut(QKeySequence());
  }
}

template <typename T>
T* Form1Window::Control(const char* name, int index) const {
  T* widget = client_->findChild<T*>(DesignName(name, index));
  Q_ASSERT(widget);
  return widget;
}

void Form1Window::Bind() {
  auto label = [this](const char* name, int index, const Label& state) {
    bool autoSize = false;
    for (const ControlDesign& design : ui::Form1Controls())
      if (DesignName(design.name, design.index) == DesignName(name, index))
        autoSize = design.autoSize;
    labels_.push_back({Control<QLabel>(name, index), &state, autoSize});
  };
  label("monbang", -1, form_.monbang);
  for (int i = 0; i < 5; ++i) label("bango", i, form_.bango[i]);
  for (int i = 0; i < 5; ++i) label("sikiyo", i, form_.sikiyo[i]);
  label("Label1", -1, form_.Label1);
  label("Label2", -1, form_.Label2);
  for (int i = 0; i < 10; ++i) label("mondai", i, form_.mondai[i]);
  label("tokuten", -1, form_.tokuten);
  label("LaY", -1, form_.LaY);
  label("LaX1", -1, form_.LaX1);
  label("La2", -1, form_.La2);
  label("LaX2", -1, form_.LaX2);
  label("enter", -1, form_.enter);

  auto button = [this](const char* name, int index, const CommandButton& state) {
    buttons_.push_back({Control<QPushButton>(name, index), &state});
  };
  button("tokutenyo", -1, form_.tokutenyo);
  for (int i = 0; i < 4; ++i) button("kotae", i, form_.kotae[i]);
  button("Command1", -1, form_.Command1);
  button("Command3", -1, form_.Command3);
  button("Command5", -1, form_.Command5);
  button("helpyo", -1, form_.helpyo);

  texts_.push_back({Control<QLineEdit>("TextA1"), &form_.TextA1});
  texts_.push_back({Control<QLineEdit>("TextA2"), &form_.TextA2});
  texts_.push_back({Control<QLineEdit>("TextB"), &form_.TextB});

  for (int i = 0; i < 4; ++i) {
    QAction* action = findChild<QAction*>(DesignName("en", i));
    Q_ASSERT(action);
    menuItems_.push_back({action, &form_.en[i]});
  }

  // The tab order as designed.
  const auto order = ui::Form1TabOrder();
  for (std::size_t i = 1; i < order.size(); ++i)
    QWidget::setTabOrder(client_->findChild<QWidget*>(QString::fromUtf8(order[i - 1])),
                         client_->findChild<QWidget*>(QString::fromUtf8(order[i])));
}

template <typename Handler>
void Form1Window::Run(Handler&& handler) {
  handler();
  Render();
}

void Form1Window::Connect() {
  auto click = [this](const char* name, int index, auto handler) {
    connect(Control<QPushButton>(name, index), &QPushButton::clicked, this,
            [this, handler] { Run([this, handler] { (form_.*handler)(); }); });
  };
  click("Command1", -1, &Form1::Command1_Click);
  click("Command3", -1, &Form1::Command3_Click);
  click("Command5", -1, &Form1::Command5_Click);
  click("helpyo", -1, &Form1::helpyo_Click);
  click("tokutenyo", -1, &Form1::tokutenyo_Click);
  for (int i = 0; i < 4; ++i)
    connect(Control<QPushButton>("kotae", i), &QPushButton::clicked, this,
            [this, i] { Run([this, i] { form_.kotae_Click(i); }); });

  auto menu = [this](const char* name, int index, auto handler) {
    QAction* action = findChild<QAction*>(DesignName(name, index));
    Q_ASSERT(action);
    connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
  };
  menu("m1a", -1, [this] { form_.m1a_Click(); });
  menu("m1c", -1, [this] { form_.m1c_Click(); });
  menu("m1d", -1, [this] { form_.m1d_Click(); });
  for (int i = 0; i < 4; ++i) menu("en", i, [this, i] { form_.en_Click(i); });
  menu("m5c", -1, [this] { form_.m5c_Click(); });

  // What is typed is the box's text in the game at once, so a key handler
  // always reads what the player sees.
  for (const TextBinding& text : texts_) {
    TextBox* state = text.state;
    connect(text.widget, &QLineEdit::textEdited, this,
            [state](const QString& typed) { state->Text = typed.toStdString(); });
  }
  auto keys = [this](const char* name, void (Form1::*handler)(int)) {
    new ui::KeyPressForwarder(Control<QLineEdit>(name), [this, handler](int keyAscii) {
      Run([this, handler, keyAscii] { (form_.*handler)(keyAscii); });
    });
  };
  keys("TextA1", &Form1::TextA1_KeyPress);
  keys("TextA2", &Form1::TextA2_KeyPress);
  keys("TextB", &Form1::TextB_KeyPress);

  timer_.setObjectName(QStringLiteral("Timer1"));
  timer_.setParent(this);
  // The points fall every two seconds for 22 s; a coarse timer may run 5 %
  // late, over a second of the student's time.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Run([this] { form_.Timer1_Timer(); }); });
}

void Form1Window::Load() { Run([this] { form_.Form_Load(); }); }

void Form1Window::ShowCentred() {
  ensurePolished();
  adjustSize();
  if (QScreen* screen = this->screen())
    move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frameGeometry().size(),
                             screen->availableGeometry())
             .topLeft());
  BringForward();
}

void Form1Window::BringForward() {
  show();
  raise();
  activateWindow();
}

void Form1Window::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closedByUser();
}

void Form1Window::Render() {
  for (const LabelBinding& label : labels_) {
    label.widget->setText(Text(label.state->Caption));
    // An auto-sized label keeps its Left and Top and fits its caption.
    if (label.autoSize) label.widget->adjustSize();
    label.widget->setVisible(label.state->Visible);
  }
  frame_->setTitle(ui::LiteralCaption(Text(form_.Frame1.Caption)));
  frame_->setVisible(form_.Frame1.Visible);
  for (const ButtonBinding& button : buttons_) {
    button.widget->setText(ui::LiteralCaption(Text(button.state->Caption)));
    button.widget->setEnabled(button.state->Enabled);
    button.widget->setVisible(button.state->Visible);
  }
  for (const TextBinding& text : texts_) {
    const QString wanted = Text(text.state->Text);
    // Rewriting an unchanged text would move the cursor.
    if (text.widget->text() != wanted) text.widget->setText(wanted);
    text.widget->setVisible(text.state->Visible);
  }
  line3_->setVisible(form_.Line3.Visible);
  for (const MenuBinding& item : menuItems_) {
    item.action->setText(ui::LiteralCaption(Text(item.state->Caption)));
    item.action->setChecked(item.state->Checked);
  }
  RenderTimer();
  RenderFocus();
}

void Form1Window::RenderTimer() {
  switch (ui::FollowTimer(form_.Timer1, timerStarts_, timer_.isActive(), timer_.interval())) {
    case ui::ClockChange::Keep: break;
    case ui::ClockChange::Stop: timer_.stop(); break;
    case ui::ClockChange::Restart: timer_.start(form_.Timer1.Interval); break;
  }
  timerStarts_ = form_.Timer1.Starts;
}

void Form1Window::RenderFocus() {
  QWidget* target = nullptr;
  switch (form_.focusRequest) {
    case Focus::None: return;
    case Focus::Command1: target = Control<QPushButton>("Command1"); break;
    case Focus::TextA1: target = Control<QLineEdit>("TextA1"); break;
    case Focus::TextA2: target = Control<QLineEdit>("TextA2"); break;
    case Focus::TextB: target = Control<QLineEdit>("TextB"); break;
  }
  target->setFocus(Qt::OtherFocusReason);
  form_.focusRequest = Focus::None;
}

}  // namespace tavri
