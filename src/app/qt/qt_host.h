// The program's windows on a Qt desktop. Builds each window the program opens
// from its design table, forwards every event of every window to the
// program, and after each one draws what every open window shows before it
// does what the program asks: open, hide or close a window, run the
// countdown, beep, move the focus, show a message box, end.
#pragma once

#include <QObject>
#include <QPointer>

#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/core/program.h"
#include "shared/commands.h"

namespace tavri {

class ActivationWatcher;
class Countdown;
class DesignedWindow;
class MessageBoxes;

class QtHost : public QObject {
  Q_OBJECT

 public:
  QtHost(Program& program, MessageBoxes& boxes, Countdown& countdown, QObject* parent = nullptr);
  ~QtHost() override;

  // Starts the program: its game window opens.
  void Start();

  // The window on screen (or hidden), or nullptr while it does not exist.
  DesignedWindow* Window(WindowId window) const;
  bool ended() const { return ended_; }

 Q_SIGNALS:
  // The program has ended: every window is gone; the event loop is to stop.
  void programEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Draws every open window, then carries out the program's commands in
  // order, each sync's after those already waiting.
  void Sync();
  void DrawAll();
  void Carry(const Command& command);
  void Open(const OpenWindow& open);
  DesignedWindow* Build(WindowId window, const WindowDesign& design, bool modal);
  void Connect(WindowId window, DesignedWindow& designed);
  // Takes the window off the screen without running anything of it; it is
  // deleted once the event that led here is over.
  void Retire(WindowId window);
  void ShowMessage(const tavri::ShowMessage& show);
  void End();
  template <typename Event>
  void Forward(Event&& event);

  Program& program_;
  MessageBoxes& boxes_;
  Countdown& countdown_;
  std::array<QPointer<DesignedWindow>, 3> windows_;
  std::vector<QPointer<DesignedWindow>> retired_;
  std::deque<Command> queue_;
  std::unique_ptr<ActivationWatcher> watcher_;
  // A message box or a window in front has gone: the window the activation
  // goes back to once the commands are carried out.
  std::optional<WindowId> returnTo_;
  int syncDepth_ = 0;
  bool ended_ = false;
};

}  // namespace tavri
