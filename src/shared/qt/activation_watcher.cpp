#include "game/ui/activation_watcher.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace tavri::ui {

ActivationWatcher::ActivationWatcher(QWidget* gameWindow,
                                     std::function<void(Activation)> onActivated,
                                     QObject* parent)
    : QObject(parent), game_(gameWindow), onActivated_(std::move(onActivated)) {
  qApp->installEventFilter(this);
}

ActivationWatcher::~ActivationWatcher() {
  if (qApp) qApp->removeEventFilter(this);
}

bool ActivationWatcher::eventFilter(QObject* watched, QEvent* event) {
  // The application's active window changes between these two events (the
  // new window is activated first, the old one deactivated after); looking
  // at it on both catches every change, including the switch to another
  // application, after which no window of ours is active.
  const bool activation =
      event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
  // Sent to every widget of the window; the window's own copy is enough.
  if (activation && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
    Observe(QApplication::activeWindow());
  return QObject::eventFilter(watched, event);
}

std::optional<ActivationWatcher::Origin> ActivationWatcher::Classify(QWidget* window) const {
  if (window == nullptr) return Origin::OtherApplication;
  if (window == game_) return Origin::GameWindow;
  if (qobject_cast<QMessageBox*>(window) != nullptr) return Origin::MessageBox;
  const Qt::WindowType type = window->windowType();
  if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen) return std::nullopt;
  return Origin::ProgramWindow;
}

void ActivationWatcher::Observe(QWidget* nowActive) {
  const std::optional<Origin> origin = Classify(nowActive);
  if (!origin) return;
  // When the active window of ours is hidden or closed (a message box
  // answered, the help window's back button), for a moment no window is
  // active until the next one is; the player has not left the program.
  if (*origin == Origin::OtherApplication && currentOrigin_ != Origin::OtherApplication &&
      (current_.isNull() || current_->isHidden()))
    return;
  const bool unchanged = *origin == currentOrigin_ &&
                         (*origin == Origin::OtherApplication || nowActive == current_);
  if (unchanged) return;

  const Origin previous = currentOrigin_;
  current_ = nowActive;
  currentOrigin_ = *origin;
  if (*origin != Origin::GameWindow) return;

  Activation how = Activation::FromOtherApplication;
  if (!shownBefore_) {
    shownBefore_ = true;
    how = Activation::FirstShow;
  } else {
    switch (previous) {
      case Origin::ProgramWindow: how = Activation::FromProgramWindow; break;
      case Origin::MessageBox: how = Activation::FromMessageBox; break;
      case Origin::OtherApplication: how = Activation::FromOtherApplication; break;
      case Origin::GameWindow: return;
    }
  }
  if (onActivated_) onActivated_(how);
}

}  // namespace tavri::ui
