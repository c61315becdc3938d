// The game's countdown as the front end runs it: started with a period,
// stopped, and ticking into the program. Behind this seam a test ticks it by
// hand instead of waiting two seconds for each point.
#pragma once

#include <QTimer>

#include <functional>
#include <utility>

namespace tavri {

class Countdown {
 public:
  virtual ~Countdown() = default;
  // Ticks every `intervalMs` from now on, a full period first, also when it
  // was already running.
  virtual void Start(int intervalMs) = 0;
  virtual void Stop() = 0;
  // What each tick runs.
  void OnTick(std::function<void()> tick) { tick_ = std::move(tick); }

 protected:
  void Tick() {
    if (tick_) tick_();
  }

 private:
  std::function<void()> tick_;
};

// The real countdown: a QTimer on the program's clock.
class TimerCountdown : public Countdown {
 public:
  TimerCountdown();
  void Start(int intervalMs) override { timer_.start(intervalMs); }
  void Stop() override { timer_.stop(); }
  const QTimer& timer() const { return timer_; }

 private:
  QTimer timer_;
};

}  // namespace tavri
