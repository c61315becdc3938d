// The real countdown: tick k is due exactly k periods after Start, measured
// on the performance counter, so late wake-ups never add up. A worker thread
// waits on a high-resolution waitable timer and posts each tick to a hidden
// window, so ticks arrive in any message loop of the windows' thread, the
// loop of an open message box included, as a timer message would.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "shared/win32/countdown.h"

namespace tavri::win32 {

class CountdownClock : public Countdown {
 public:
  CountdownClock();
  ~CountdownClock() override;
  CountdownClock(const CountdownClock&) = delete;
  CountdownClock& operator=(const CountdownClock&) = delete;

  void Start(int intervalMs) override;
  void Stop() override;

  // Whether the timer keeps to well under a millisecond (Windows 10 1803 and
  // later); otherwise each tick may come up to one system tick late. Known
  // once a countdown was started.
  bool highResolution() const { return highResolution_; }

 private:
  void Prepare();
  static LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Run();
  void Received(std::uint64_t generation);

  HWND receiver_ = nullptr;
  HANDLE timer_ = nullptr;
  HANDLE wake_ = nullptr;
  bool highResolution_ = false;
  std::int64_t frequency_ = 1;

  std::mutex mutex_;
  // Guarded by mutex_: what the worker waits for.
  bool running_ = false;
  bool quit_ = false;
  std::uint64_t generation_ = 0;
  std::int64_t startCount_ = 0;
  std::int64_t periodCounts_ = 0;
  std::int64_t ticksPosted_ = 0;

  std::thread worker_;
};

}  // namespace tavri::win32
