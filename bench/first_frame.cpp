// Starts a program under X and reports when its first top-level window gets
// its first frame: the first drawing the X server sees in a mapped window of
// the program (DAMAGE extension), measured from just before the program was
// started. Then, after a pause for things to settle, reports the program's
// peak resident memory, and ends it.
//
//   first_frame SETTLE_MS PROGRAM [ARGS...]
//   prints: startup_ms=12.3 peak_kib=45678 window=580x401
//
// The program is not told it is being watched: the measurement sees only
// what any X client could see, so the game and the baseline are timed alike.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long PeakKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// Some programs (Wine among them) create input-only windows, which cannot be
// watched for drawing, and windows that are gone again before the watch is
// set: neither is an error of the measurement.
int IgnoreWindowErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: first_frame SETTLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  const int settleMs = std::atoi(argv[1]);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "first_frame: no X display\n");
    return 2;
  }
  int damageEvent = 0, damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
    return 2;
  }
  XSetErrorHandler(IgnoreWindowErrors);
  Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }

  // Every top-level window gets a damage watch as soon as it exists, so no
  // drawing can slip past before the watch is in place.
  std::set<Window> mapped;
  double startupMs = -1;
  int width = 0, height = 0;
  while (startupMs < 0) {
    if (!XPending(display)) {
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      poll(&connection, 1, 50);
      int status = 0;
      if (waitpid(child, &status, WNOHANG) == child) {
        std::fprintf(stderr, "first_frame: %s ended before drawing\n", argv[2]);
        return 1;
      }
      if (Clock::now() - start > std::chrono::seconds(60)) {
        std::fprintf(stderr, "first_frame: no frame within 60 s\n");
        kill(child, SIGKILL);
        return 1;
      }
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
      XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
    } else if (event.type == MapNotify && !event.xmap.override_redirect) {
      mapped.insert(event.xmap.window);
    } else if (event.type == damageEvent + XDamageNotify) {
      auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
      if (mapped.count(damage->drawable)) {
        startupMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        width = damage->geometry.width;
        height = damage->geometry.height;
      }
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  const long peak = PeakKiB(child);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  std::printf("startup_ms=%.1f peak_kib=%ld window=%dx%d\n", startupMs, peak, width, height);
  XCloseDisplay(display);
  return 0;
}
