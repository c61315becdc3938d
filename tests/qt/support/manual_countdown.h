// A countdown a test ticks by hand, as the timer would every two seconds.
#pragma once

#include "shared/qt/countdown.h"

namespace tavri::test {

class ManualCountdown : public Countdown {
 public:
  void Start(int intervalMs) override {
    running_ = true;
    intervalMs_ = intervalMs;
    ++starts_;
  }
  void Stop() override { running_ = false; }

  // One tick, as the running timer would deliver it; false (and no tick)
  // while it is stopped.
  [[nodiscard]] bool Tick() {
    if (!running_) return false;
    Countdown::Tick();
    return true;
  }

  bool running() const { return running_; }
  int intervalMs() const { return intervalMs_; }
  // How often it was (re)started: each start begins a full period.
  int starts() const { return starts_; }

 private:
  bool running_ = false;
  int intervalMs_ = 0;
  int starts_ = 0;
};

}  // namespace tavri::test
