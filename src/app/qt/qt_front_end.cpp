#include "app/qt/qt_front_end.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

#include <algorithm>

#include "app/core/host.h"
#include "shared/qt/activation_watcher.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"
#include "shared/qt/message_boxes.h"
#include "shared/qt/qt_text.h"

namespace tavri {

namespace {

constexpr std::array<WindowId, 3> kWindows{WindowId::Game, WindowId::Results, WindowId::Help};

// What a player does to a window: none of it reaches a window that takes
// no input. Painting, showing, moving and an input method's text do.
bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close: return true;
    default: return false;
  }
}

}  // namespace

QtFrontEnd::QtFrontEnd() {
  timer_.setObjectName(QStringLiteral("countdown"));
  // The points fall every two seconds for 22 s; a coarse timer may run 5 %
  // late, over a second of the student's time.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &QtFrontEnd::OnTimeout);
  watcher_ = std::make_unique<ActivationWatcher>(
      [this](const QWidget* widget) -> std::optional<WindowId> {
        for (WindowId window : kWindows)
          if (windows_[Index(window)] == widget) return window;
        return std::nullopt;
      },
      [this](WindowId window) {
        // Told once the toolkit's activation handling is over.
        QMetaObject::invokeMethod(
            this, [this, window] { Report([window](Host& host) { host.OnActivated(window); }); },
            Qt::QueuedConnection);
      });
  // Input for a window that takes none, and a quit from the desktop.
  qApp->installEventFilter(this);
}

QtFrontEnd::~QtFrontEnd() {
  watcher_.reset();
  qApp->removeEventFilter(this);
  delete box_.data();
  for (WindowId window : {WindowId::Help, WindowId::Results, WindowId::Game})
    delete windows_[Index(window)].data();
  for (QPointer<DesignedWindow>& window : retired_) delete window.data();
}

template <typename Event>
void QtFrontEnd::Report(Event&& event) {
  if (host_ && !ended_) event(*host_);
}

DesignedWindow* QtFrontEnd::Window(WindowId window) const { return windows_[Index(window)]; }

// --- What the platform tells ---------------------------------------------------------

ScreenInfo QtFrontEnd::Screen(std::optional<WindowId> window) {
  const QScreen* screen = nullptr;
  if (window)
    if (const DesignedWindow* designed = Window(*window)) screen = designed->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect area = screen->availableGeometry();
  return ScreenInfo{PixelRect{area.x(), area.y(), area.width(), area.height()},
                    qRound(screen->logicalDotsPerInch())};
}

bool QtFrontEnd::DesignFaceInstalled() { return tavri::DesignFaceInstalled(); }

TextExtent QtFrontEnd::MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) {
  return MeasureLabelText(ToQString(text),
                          DesignFont(font.points, font.bold, font.dpi, font.widthPercent),
                          wrapWidth);
}

PixelRect QtFrontEnd::Frame(WindowId window) {
  const DesignedWindow* designed = Window(window);
  if (!designed) return {};
  const QRect frame = designed->frameGeometry();
  return PixelRect{frame.x(), frame.y(), frame.width(), frame.height()};
}

std::optional<int> QtFrontEnd::FocusedControl(WindowId window) {
  // The window's own focus widget: the one that has the focus, or gets it
  // back when the window is next active.
  const DesignedWindow* designed = Window(window);
  return designed ? designed->RowOf(designed->focusWidget()) : std::nullopt;
}

// --- Windows -------------------------------------------------------------------------

void QtFrontEnd::Build(const WindowSetup& setup) {
  Destroy(setup.window);
  QWidget* owner = setup.owner ? Window(*setup.owner) : nullptr;
  auto* designed = new DesignedWindow(*setup.design, setup.dpi, setup.stacking, owner);
  // The native window, so that its frame is known (where the window system
  // tells it before the window is shown) when the host places it.
  designed->winId();
  windows_[Index(setup.window)] = designed;
  blocked_[Index(setup.window)] = false;
  const WindowId window = setup.window;
  connect(designed, &DesignedWindow::clicked, this, [this, window](int control) {
    Report([&](Host& host) { host.OnClick(window, control); });
  });
  connect(designed, &DesignedWindow::menuChosen, this, [this, window](int item) {
    Report([&](Host& host) { host.OnMenuChosen(window, item); });
  });
  connect(designed, &DesignedWindow::textEdited, this,
          [this, window](int control, const QString& text) {
            Report([&](Host& host) { host.OnTextEdited(window, control, ToUtf8(text)); });
          });
  connect(designed, &DesignedWindow::keyPressed, this, [this, window](int control, int key) {
    Report([&](Host& host) { host.OnKeyPress(window, control, key); });
  });
  connect(designed, &DesignedWindow::closeBoxClicked, this,
          [this, window] { Report([&](Host& host) { host.OnCloseBox(window); }); });
}

void QtFrontEnd::Move(WindowId window, PixelPoint topLeft) {
  if (DesignedWindow* designed = Window(window)) designed->move(topLeft.x, topLeft.y);
}

void QtFrontEnd::Draw(WindowId window, const WindowLook& look) {
  if (DesignedWindow* designed = Window(window)) designed->Draw(look);
}

void QtFrontEnd::Show(WindowId window) {
  if (DesignedWindow* designed = Window(window)) designed->show();
}

void QtFrontEnd::Hide(WindowId window) {
  if (DesignedWindow* designed = Window(window)) designed->hide();
}

void QtFrontEnd::Destroy(WindowId window) {
  DesignedWindow* designed = Window(window);
  if (!designed) return;
  windows_[Index(window)] = nullptr;
  blocked_[Index(window)] = false;
  designed->disconnect(this);
  designed->hide();
  // The event that destroys it may still be on its way through one of its
  // widgets (Enter in the name box).
  designed->deleteLater();
  std::erase_if(retired_, [](const QPointer<DesignedWindow>& gone) { return gone.isNull(); });
  retired_.emplace_back(designed);
}

void QtFrontEnd::Activate(WindowId window) {
  if (DesignedWindow* designed = Window(window)) {
    designed->raise();
    designed->activateWindow();
  }
}

void QtFrontEnd::SetInputEnabled(WindowId window, bool enabled) {
  blocked_[Index(window)] = !enabled;
  DesignedWindow* designed = Window(window);
  if (!designed) return;
  // Input is kept from it by eventFilter; the activation by the window
  // system itself, which has to be told on the native window.
  designed->winId();
  designed->windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus, !enabled);
  // A menu left open would hold the keyboard and mouse of the whole
  // program and take nothing.
  if (!enabled)
    for (QMenu* menu : designed->findChildren<QMenu*>())
      if (menu->isVisible()) menu->hide();
}

void QtFrontEnd::Focus(WindowId window, int control) {
  if (DesignedWindow* designed = Window(window)) designed->FocusControl(control);
}

// --- The rest of the platform -------------------------------------------------------

void QtFrontEnd::StartTimer(int intervalMs) {
  intervalMs_ = std::max(1, intervalMs);
  ticks_ = 0;
  ++timerStarts_;
  sinceStart_.start();
  timer_.start(intervalMs_);
}

void QtFrontEnd::StopTimer() { timer_.stop(); }

void QtFrontEnd::OnTimeout() {
  // A timeout that comes late (the machine was busy) brings the ticks it
  // missed with it, so the points fall with the clock.
  const long long due = std::max(ticks_ + 1, sinceStart_.elapsed() / intervalMs_);
  const int start = timerStarts_;
  while (ticks_ < due && timer_.isActive() && start == timerStarts_) {
    ++ticks_;
    Report([](Host& host) { host.OnTimerTick(); });
  }
}

void QtFrontEnd::Beep() { QApplication::beep(); }

void QtFrontEnd::ShowBox(WindowId owner, const Message& message) {
  QMessageBox* box = BuildMessageBox(message, Window(owner)).release();
  box_ = box;
  connect(box, &QMessageBox::finished, this, [this, box] {
    const MessageAnswer answer = AnswerOf(*box);
    box->deleteLater();
    Report([answer](Host& host) { host.OnBoxAnswered(answer); });
  });
  // No event loop of its own: the answer comes with the click that closes
  // it. Nor a modality of its own (QDialog::open would make it modal to its
  // owner): what a box blocks is the host's to say, through SetInputEnabled.
  box->show();
}

void QtFrontEnd::End() {
  ended_ = true;
  timer_.stop();
  if (box_) {
    box_->disconnect(this);
    box_->hide();
    box_->deleteLater();
  }
  for (WindowId window : {WindowId::Help, WindowId::Results, WindowId::Game}) Destroy(window);
  Q_EMIT programEnded();
}

// --- Input -------------------------------------------------------------------------------

const DesignedWindow* QtFrontEnd::WindowOf(const QObject* object) const {
  if (!object->isWidgetType()) return nullptr;
  for (const QWidget* widget = static_cast<const QWidget*>(object); widget;
       widget = widget->parentWidget()) {
    for (const QPointer<DesignedWindow>& window : windows_)
      if (window == widget) return window;
    // A box is a window of its own; a menu belongs to its window.
    if (widget->isWindow() && widget->windowType() != Qt::Popup) return nullptr;
  }
  return nullptr;
}

bool QtFrontEnd::Blocked(const QObject* object) const {
  const DesignedWindow* window = WindowOf(object);
  for (WindowId id : kWindows)
    if (window && windows_[Index(id)] == window) return blocked_[Index(id)];
  return false;
}

bool QtFrontEnd::eventFilter(QObject* watched, QEvent* event) {
  // A quit from the desktop ends the program as Exit does, running nothing
  // of its windows: Qt would otherwise close each, which counts as its
  // close box.
  if (event->type() == QEvent::Quit && watched == qApp && !ended_) End();
  if (IsInput(event->type()) && Blocked(watched)) {
    // A close event left accepted would close the window all the same.
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tavri
