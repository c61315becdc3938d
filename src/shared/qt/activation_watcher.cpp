#include "shared/qt/activation_watcher.h"

#include <QApplication>
#include <QEvent>

namespace tavri {

ActivationWatcher::ActivationWatcher(Identify identify, Report report, QObject* parent)
    : QObject(parent), identify_(std::move(identify)), report_(std::move(report)) {
  qApp->installEventFilter(this);
}

ActivationWatcher::~ActivationWatcher() {
  if (qApp) qApp->removeEventFilter(this);
}

bool ActivationWatcher::eventFilter(QObject* watched, QEvent* event) {
  // The application's active window has changed by the time either event
  // arrives (the new window is activated first, the old one deactivated
  // after); each reaches every widget of the window, the window's own copy
  // is enough.
  const bool activation =
      event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate;
  if (activation && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
    Observe(QApplication::activeWindow());
  return QObject::eventFilter(watched, event);
}

std::optional<WindowId> ActivationWatcher::WindowOf(const QWidget* window) const {
  // A box shown over a window has it as its parent.
  for (const QWidget* w = window; w; w = w->parentWidget())
    if (std::optional<WindowId> id = identify_(w)) return id;
  return std::nullopt;
}

void ActivationWatcher::Observe(QWidget* nowActive) {
  if (!nowActive || nowActive == current_) return;
  const Qt::WindowType type = nowActive->windowType();
  if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen) return;
  const std::optional<WindowId> window = WindowOf(nowActive);
  if (!window) return;
  current_ = nowActive;
  report_(*window);
}

}  // namespace tavri
