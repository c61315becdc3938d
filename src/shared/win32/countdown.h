// The points countdown's clock behind a seam: the real one ticks from a
// high-resolution timer, a test one is ticked by hand.
#pragma once

#include <functional>
#include <utility>

namespace tavri::win32 {

class Countdown {
 public:
  virtual ~Countdown() = default;
  // Ticks every `intervalMs` from now on, a full period first; a running
  // countdown starts over.
  virtual void Start(int intervalMs) = 0;
  // No tick arrives after this, not even one already on its way.
  virtual void Stop() = 0;
  // Who hears the ticks, on the thread of the windows.
  void SetTickHandler(std::function<void()> handler) { onTick_ = std::move(handler); }

 protected:
  void Tick() {
    if (onTick_) onTick_();
  }

 private:
  std::function<void()> onTick_;
};

}  // namespace tavri::win32
