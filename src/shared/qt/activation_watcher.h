// Tells which of the program's windows became the active window. A message
// box, or any other window of ours that is not one of the program's windows,
// counts as the window it was shown over; a menu or a tool tip takes nothing
// from the window it belongs to; a switch to another application (no active
// window of ours) says nothing, and neither does the moment between one of
// our windows going and the next coming.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

#include "shared/commands.h"

namespace tavri {

class ActivationWatcher : public QObject {
 public:
  // Which program window `window` is, if it is one.
  using Identify = std::function<std::optional<WindowId>(const QWidget* window)>;
  using Report = std::function<void(WindowId window)>;

  // Watches the whole application from construction on.
  ActivationWatcher(Identify identify, Report report, QObject* parent = nullptr);
  ~ActivationWatcher() override;

  // Takes note that `nowActive` is the application's active window (nullptr:
  // none of ours).
  void Observe(QWidget* nowActive);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<WindowId> WindowOf(const QWidget* window) const;

  Identify identify_;
  Report report_;
  QPointer<QWidget> current_;
};

}  // namespace tavri
