// The countdown's clock as tavri.exe runs it: started as a problem starts,
// ticked eleven times at 2000 ms, which is when a problem left alone times
// out (10 points, then one more tick). Prints the time from the start to
// the eleventh tick as the message loop received it, and the spread of the
// ticks around their due times.
//
//   countdown_win32 [RUNS]     prints: timeout_s=22.0003 worst_tick_ms=0.61 high_resolution=1
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "shared/win32/countdown_clock.h"

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 1;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const auto now = [] {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
  };
  tavri::win32::CountdownClock clock;
  for (int run = 0; run < runs; ++run) {
    int ticks = 0;
    double worstMs = 0;
    long long start = 0, last = 0;
    clock.SetTickHandler([&] {
      last = now();
      ++ticks;
      const double dueMs = ticks * 2000.0;
      const double atMs = 1000.0 * static_cast<double>(last - start) / static_cast<double>(frequency.QuadPart);
      worstMs = std::max(worstMs, std::fabs(atMs - dueMs));
      if (ticks == 11) {
        clock.Stop();
        PostQuitMessage(0);
      }
    });
    start = now();
    clock.Start(2000);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    std::printf("timeout_s=%.4f worst_tick_ms=%.2f high_resolution=%d\n",
                static_cast<double>(last - start) / static_cast<double>(frequency.QuadPart),
                worstMs, clock.highResolution() ? 1 : 0);
    std::fflush(stdout);
  }
  return 0;
}
