// Tells how the game window came to be the active window. The game decides
// what an activation means (Form1::Activated); this only says where the
// player came from: nowhere yet (the first show), another window of this
// program, one of its message boxes, or another application.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

#include "game/core/form1.h"

namespace tavri::ui {

class ActivationWatcher : public QObject {
  Q_OBJECT

 public:
  // Watches the whole application from construction on; onActivated runs
  // each time the game window becomes active.
  ActivationWatcher(QWidget* gameWindow, std::function<void(Activation)> onActivated,
                    QObject* parent = nullptr);
  ~ActivationWatcher() override;

  // Takes note that `nowActive` is the application's active window
  // (nullptr: none of ours, the player is in another application).
  void Observe(QWidget* nowActive);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Origin { OtherApplication, GameWindow, MessageBox, ProgramWindow };
  // nullopt for windows that never take the activation from the game window
  // in the player's eyes: menus, tool tips.
  std::optional<Origin> Classify(QWidget* window) const;

  QPointer<QWidget> game_;
  std::function<void(Activation)> onActivated_;
  QPointer<QWidget> current_;
  Origin currentOrigin_ = Origin::OtherApplication;
  bool shownBefore_ = false;
};

}  // namespace tavri::ui
