// The program's windows on a Qt desktop: each primitive the host asks for
// (front_end.h) carried out with Qt, and every event of the windows, the
// countdown's timer and the message boxes reported to the host. It decides
// nothing: what, when and where are the host's.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

#include "app/core/front_end.h"

namespace tavri {

class ActivationWatcher;
class DesignedWindow;
class Host;

class QtFrontEnd : public QObject, public FrontEnd {
  Q_OBJECT

 public:
  QtFrontEnd();
  ~QtFrontEnd() override;

  // Where every event goes from now on.
  void ReportTo(Host& host) { host_ = &host; }
  Host* host() const { return host_; }

  // The window on screen (or hidden), or nullptr while it is not built.
  DesignedWindow* Window(WindowId window) const;
  // The message box open now, if any.
  QMessageBox* Box() const { return box_; }
  bool TakesInput(WindowId window) const { return !blocked_[Index(window)]; }
  bool ended() const { return ended_; }
  const QTimer& timer() const { return timer_; }

  ScreenInfo Screen(std::optional<WindowId> window) override;
  bool DesignFaceInstalled() override;
  TextExtent MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) override;
  PixelRect Frame(WindowId window) override;
  std::optional<int> FocusedControl(WindowId window) override;
  void Build(const WindowSetup& setup) override;
  void Move(WindowId window, PixelPoint topLeft) override;
  void Draw(WindowId window, const WindowLook& look) override;
  void Show(WindowId window) override;
  void Hide(WindowId window) override;
  void Destroy(WindowId window) override;
  void Activate(WindowId window) override;
  void SetInputEnabled(WindowId window, bool enabled) override;
  void Focus(WindowId window, int control) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  void Beep() override;
  void ShowBox(WindowId owner, const Message& message) override;
  void End() override;

 Q_SIGNALS:
  // Every window is gone; the event loop is to stop.
  void programEnded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static std::size_t Index(WindowId window) { return static_cast<std::size_t>(window); }
  template <typename Event>
  void Report(Event&& event);
  // The program's window a widget belongs to: the window itself, one of its
  // controls or one of its menus; not a box shown over it.
  const DesignedWindow* WindowOf(const QObject* object) const;
  bool Blocked(const QObject* object) const;
  void OnTimeout();

  Host* host_ = nullptr;
  std::array<QPointer<DesignedWindow>, 3> windows_;
  std::vector<QPointer<DesignedWindow>> retired_;
  std::array<bool, 3> blocked_{};
  QPointer<QMessageBox> box_;
  std::unique_ptr<ActivationWatcher> watcher_;
  QTimer timer_;
  QElapsedTimer sinceStart_;
  int intervalMs_ = 0;
  long long ticks_ = 0;
  int timerStarts_ = 0;
  bool ended_ = false;
};

}  // namespace tavri
