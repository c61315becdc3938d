#include "app/qt/qt_host.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <utility>
#include <variant>

#include "game/qt/points_label.h"
#include "help/qt/instructions.h"
#include "shared/design_units.h"
#include "shared/qt/activation_watcher.h"
#include "shared/qt/countdown.h"
#include "shared/qt/designed_window.h"
#include "shared/qt/message_boxes.h"
#include "shared/qt/qt_text.h"

namespace tavri {

namespace {

constexpr std::array<WindowId, 3> kWindows{WindowId::Game, WindowId::Results, WindowId::Help};

std::size_t Index(WindowId window) { return static_cast<std::size_t>(window); }

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInch()) : kDesignDpi;
}

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

QtHost::QtHost(Program& program, MessageBoxes& boxes, Countdown& countdown, QObject* parent)
    : QObject(parent), program_(program), boxes_(boxes), countdown_(countdown) {
  countdown_.OnTick([this] { Forward([this] { program_.OnCountdownTick(); }); });
  watcher_ = std::make_unique<ActivationWatcher>(
      [this](const QWidget* widget) -> std::optional<WindowId> {
        for (WindowId window : kWindows)
          if (windows_[Index(window)] == widget) return window;
        return std::nullopt;
      },
      [this](WindowId window) {
        // Told once the toolkit's activation handling is over: the answer
        // may be a message box, with an event loop of its own.
        QMetaObject::invokeMethod(
            this, [this, window] { Forward([this, window] { program_.OnWindowActivated(window); }); },
            Qt::QueuedConnection);
      });
  // A quit from the desktop ends the program as Exit does, running nothing
  // of its windows: Qt would otherwise close each, which counts as its
  // close box.
  qApp->installEventFilter(this);
}

QtHost::~QtHost() {
  watcher_.reset();
  qApp->removeEventFilter(this);
  countdown_.OnTick(nullptr);
  for (QPointer<DesignedWindow>& window : windows_) delete window.data();
  for (QPointer<DesignedWindow>& window : retired_) delete window.data();
}

void QtHost::Start() {
  Forward([this] { program_.Start(); });
}

DesignedWindow* QtHost::Window(WindowId window) const { return windows_[Index(window)]; }

template <typename Event>
void QtHost::Forward(Event&& event) {
  if (ended_) return;
  event();
  Sync();
}

void QtHost::Sync() {
  ++syncDepth_;
  DrawAll();
  for (Command& command : program_.TakeCommands()) queue_.push_back(std::move(command));
  // A sync that starts inside another (a tick while a message box waits)
  // takes the next commands from the same queue, so none runs twice and
  // none out of turn.
  while (!queue_.empty() && !ended_) {
    const Command command = std::move(queue_.front());
    queue_.pop_front();
    Carry(command);
  }
  // When a box or a window in front has gone and no window has opened
  // since, the activation goes back to the window the box was over, else to
  // the game window, as it does on Windows; a desktop without a window
  // manager would leave no window active. Not while a message box still
  // waits further out.
  if (--syncDepth_ == 0 && !ended_)
    if (const std::optional<WindowId> back = std::exchange(returnTo_, std::nullopt)) {
      QWidget* window = Window(*back);
      if (!window || !window->isVisible()) window = Window(WindowId::Game);
      // A modal window, while it is open, keeps the activation to itself.
      if (QWidget* modal = QApplication::activeModalWidget()) window = modal;
      if (window && window->isVisible()) window->activateWindow();
    }
}

void QtHost::DrawAll() {
  for (WindowId window : kWindows) {
    DesignedWindow* designed = Window(window);
    const WindowModel* model = program_.Window(window);
    if (designed && model) designed->Draw(model->State());
  }
}

void QtHost::Carry(const Command& command) {
  std::visit(
      Overloaded{
          [this](const OpenWindow& open) { Open(open); },
          [this](const HideWindow& hide) {
            if (DesignedWindow* window = Window(hide.window)) {
              window->hide();
              returnTo_ = WindowId::Game;
            }
          },
          [this](const CloseWindow& close) { Retire(close.window); },
          [this](const StartCountdown& start) { countdown_.Start(start.intervalMs); },
          [this](const StopCountdown&) { countdown_.Stop(); },
          [](const Beep&) { QApplication::beep(); },
          [this](const MoveFocus& move) {
            if (DesignedWindow* window = Window(move.window)) window->FocusControl(move.control);
          },
          [this](const tavri::ShowMessage& show) { ShowMessage(show); },
          [this](const EndProgram&) { End(); },
          // The program settles these between its windows.
          [](const OpenResults&) {},
          [](const OpenHelp&) {},
      },
      command);
}

void QtHost::Open(const OpenWindow& open) {
  const WindowModel* model = program_.Window(open.window);
  if (!model) return;
  DesignedWindow* window = Window(open.window);
  const bool firstShow = !window;
  if (firstShow) window = Build(open.window, model->Design(), open.modal);
  returnTo_.reset();
  window->Draw(model->State());
  window->show();
  window->raise();
  window->activateWindow();
  if (firstShow) window->FocusFirstControl();
}

DesignedWindow* QtHost::Build(WindowId window, const WindowDesign& design, bool modal) {
  DesignedWindow* game = Window(WindowId::Game);
  // The results window belongs to the game window and stays in front of it;
  // the help window is a window of its own that the game window may cover.
  auto* designed = window == WindowId::Results
                       ? new DesignedWindow(design, ScreenDpi(), game, Qt::Dialog)
                       : new DesignedWindow(design, ScreenDpi());
  // Modal without an event loop of its own: the program goes on from the
  // event that closes it.
  if (modal) designed->setWindowModality(Qt::ApplicationModal);
  if (window == WindowId::Game) FitPointsLabel(*designed);
  if (window == WindowId::Help) FitInstructions(*designed);

  designed->ensurePolished();
  designed->adjustSize();
  QRect area;
  if (game && window != WindowId::Game)
    area = game->frameGeometry();
  else if (const QScreen* screen = designed->screen())
    area = screen->availableGeometry();
  designed->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, designed->size(), area)
                     .topLeft());
  windows_[Index(window)] = designed;
  Connect(window, *designed);
  return designed;
}

void QtHost::Connect(WindowId window, DesignedWindow& designed) {
  connect(&designed, &DesignedWindow::clicked, this, [this, window](int control) {
    Forward([&] { program_.OnClick(window, control); });
  });
  connect(&designed, &DesignedWindow::menuChosen, this, [this, window](int item) {
    Forward([&] { program_.OnMenuChosen(window, item); });
  });
  connect(&designed, &DesignedWindow::textEdited, this,
          [this, window](int control, const QString& text) {
            Forward([&] { program_.OnTextEdited(window, control, ToUtf8(text)); });
          });
  connect(&designed, &DesignedWindow::keyPressed, this, [this, window](int control, int key) {
    Forward([&] { program_.OnKeyPress(window, control, key); });
  });
  connect(&designed, &DesignedWindow::closeBoxClicked, this,
          [this, window] { Forward([&] { program_.OnCloseBox(window); }); });
}

void QtHost::Retire(WindowId window) {
  DesignedWindow* designed = Window(window);
  if (!designed) return;
  windows_[Index(window)] = nullptr;
  returnTo_ = WindowId::Game;
  designed->disconnect(this);
  designed->hide();
  // The event that closes it may still be on its way through one of its
  // widgets (Enter in the name box).
  designed->deleteLater();
  std::erase_if(retired_, [](const QPointer<DesignedWindow>& gone) { return gone.isNull(); });
  retired_.emplace_back(designed);
}

void QtHost::ShowMessage(const tavri::ShowMessage& show) {
  const MessageAnswer answer = boxes_.Ask(show.message, Window(show.owner));
  returnTo_ = show.owner;
  Forward([&] { program_.OnMessageClosed(show.owner, show.message.kind, answer); });
}

void QtHost::End() {
  ended_ = true;
  queue_.clear();
  countdown_.Stop();
  for (WindowId window : {WindowId::Help, WindowId::Results, WindowId::Game}) Retire(window);
  Q_EMIT programEnded();
}

bool QtHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::Quit && !ended_) End();
  return QObject::eventFilter(watched, event);
}

}  // namespace tavri
