#include "shared/win32/countdown_clock.h"

namespace tavri::win32 {

namespace {

constexpr UINT kTickMessage = WM_APP + 1;
constexpr wchar_t kReceiverClass[] = L"TavriCountdownReceiver";
// Not in every SDK's headers yet.
constexpr DWORD kHighResolutionTimer = 0x00000002;

std::int64_t Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

CountdownClock::CountdownClock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  frequency_ = frequency.QuadPart;
}

// The window, the timer and the worker come with the first countdown: a
// program that starts and shows its window has no use for them yet, and a
// thread is costly to start (under Wine every loaded library hears of it).
void CountdownClock::Prepare() {
  if (worker_.joinable()) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW receiverClass{};
  receiverClass.lpfnWndProc = ReceiverProc;
  receiverClass.hInstance = instance;
  receiverClass.lpszClassName = kReceiverClass;
  RegisterClassW(&receiverClass);  // fails harmlessly when already registered
  receiver_ = CreateWindowExW(0, kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, nullptr);
  SetWindowLongPtrW(receiver_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
  highResolution_ = timer_ != nullptr;
  if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
  wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  worker_ = std::thread([this] { Run(); });
}

CountdownClock::~CountdownClock() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  SetEvent(wake_);
  worker_.join();
  CloseHandle(wake_);
  CloseHandle(timer_);
  DestroyWindow(receiver_);
}

void CountdownClock::Start(int intervalMs) {
  // The ticks are due from now, however long the first countdown's
  // preparation takes: the problem has begun.
  const std::int64_t started = Now();
  Prepare();
  {
    std::lock_guard lock(mutex_);
    running_ = intervalMs > 0;
    ++generation_;
    startCount_ = started;
    periodCounts_ = frequency_ * intervalMs / 1000;
    ticksPosted_ = 0;
  }
  SetEvent(wake_);
}

void CountdownClock::Stop() {
  if (!worker_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    running_ = false;
    ++generation_;
  }
  SetEvent(wake_);
}

void CountdownClock::Run() {
  for (;;) {
    std::int64_t due = 0;
    bool running = false;
    {
      std::lock_guard lock(mutex_);
      if (quit_) return;
      running = running_;
      due = startCount_ + (ticksPosted_ + 1) * periodCounts_;
    }
    if (!running) {
      WaitForSingleObject(wake_, INFINITE);
      continue;
    }
    const std::int64_t left = due - Now();
    if (left > 0) {
      // Relative due times are negative, in 100 ns units.
      LARGE_INTEGER relative;
      relative.QuadPart = -(left * 10'000'000 / frequency_);
      if (relative.QuadPart == 0) relative.QuadPart = -1;
      SetWaitableTimer(timer_, &relative, 0, nullptr, nullptr, FALSE);
      const HANDLE handles[] = {wake_, timer_};
      if (WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0) {
        CancelWaitableTimer(timer_);
        continue;  // started over, stopped or ending: look again
      }
      if (Now() < due) continue;  // woke a hair early: wait the rest
    }
    std::lock_guard lock(mutex_);
    if (quit_) return;
    if (!running_ || due != startCount_ + (ticksPosted_ + 1) * periodCounts_) continue;
    ++ticksPosted_;
    PostMessageW(receiver_, kTickMessage, static_cast<WPARAM>(generation_), 0);
  }
}

void CountdownClock::Received(std::uint64_t generation) {
  {
    std::lock_guard lock(mutex_);
    // A tick posted before the countdown was stopped or started over.
    if (!running_ || generation != generation_) return;
  }
  Tick();
}

LRESULT CALLBACK CountdownClock::ReceiverProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == kTickMessage) {
    auto* clock = reinterpret_cast<CountdownClock*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (clock) clock->Received(static_cast<std::uint64_t>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavri::win32
