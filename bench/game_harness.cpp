// The program's windows, built as main builds them, driven for the
// benchmark. Message boxes are answered at once (the real ones would wait
// for a hand); everything else is the program's own: the windows, the
// countdown's QTimer, the results window and the results file on disk.
//
//   game_harness games N    plays N whole games, prints the peak resident memory
//   game_harness countdown  starts a game and waits, without input, for the
//                           first problem to time out with the real timer;
//                           prints the time from the problem's start to the
//                           time-out and the CPU time used meanwhile
//   game_harness save N     times N write-backs of the 75 records, flush included
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/qt/qt_front_end.h"
#include "game/core/game_window_design.h"
#include "results/core/file_system.h"
#include "results/core/results_board.h"
#include "results/core/results_store.h"
#include "results/core/results_window_design.h"
#include "shared/clock_random.h"
#include "shared/qt/designed_window.h"

using namespace tavri;

namespace {

long PeakKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The Qt front end, every box answered OK at once.
class AnsweringFrontEnd : public QtFrontEnd {
 public:
  void ShowBox(WindowId, const Message&) override { host()->OnBoxAnswered(MessageAnswer::Ok); }
};

// And the ticks the real countdown's timer would deliver two seconds apart,
// at once.
class HurriedFrontEnd : public AnsweringFrontEnd {
 public:
  void StartTimer(int) override { running_ = true; }
  void StopTimer() override { running_ = false; }
  void Ticks(unsigned count) {
    for (; count > 0 && running_; --count) host()->OnTimerTick();
  }

 private:
  bool running_ = false;
};

// The program as main() makes it, on the results file given.
template <typename FrontEndKind>
struct Run {
  explicit Run(const std::string& resultsPath) : store(files, resultsPath) {
    frontEnd.ReportTo(host);
    host.Start();
  }

  template <typename T>
  T* Control(WindowId window, int control) const {
    return frontEnd.Window(window)->template Control<T>(control);
  }
  void Type(int box, int value) {
    auto* typed = Control<QLineEdit>(WindowId::Game, box);
    QTest::keyClicks(typed, QString::number(value));
    QTest::keyClick(typed, Qt::Key_Return);
  }

  SystemFileSystem files;
  ResultsStore store;
  ClockRandom random;
  Program program{random, store};
  FrontEndKind frontEnd;
  Host host{program, frontEnd};
};

// A game as a player might play it: a few ticks, the right relationship and
// formula, now and then a time-out; a name at the end.
void PlayGame(Run<HurriedFrontEnd>& run, std::mt19937& choices) {
  using namespace game_window;
  run.template Control<QPushButton>(WindowId::Game, kStartButton)->click();
  for (int problem = 0; problem < kProblemCount; ++problem) {
    if (choices() % 6 == 0) {
      run.frontEnd.Ticks(11);
      continue;
    }
    run.frontEnd.Ticks(choices() % 6);
    const Problem shown = *run.program.game().problem();
    run.template Control<QPushButton>(WindowId::Game,
                                      kRelationshipButtons + static_cast<int>(shown.relationship))
        ->click();
    switch (run.program.game().formula()) {
      case FormulaForm::Linear:
        run.Type(kCoefficientBox, shown.a);
        run.Type(kConstantBox, shown.b);
        break;
      case FormulaForm::Inverse: run.Type(kNumeratorBox, shown.a); break;
      default: run.Type(kCoefficientBox, shown.a); break;
    }
  }
  if (run.frontEnd.Window(WindowId::Results)) {
    auto* name = run.template Control<QLineEdit>(WindowId::Results, results_window::kNameBox);
    if (name->isVisible()) QTest::keyClicks(name, QStringLiteral("BENCH"));
    run.template Control<QPushButton>(WindowId::Results, results_window::kBackButton)->click();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

int Games(int count, const std::string& path) {
  Run<HurriedFrontEnd> run(path);
  QCoreApplication::processEvents();
  std::mt19937 choices(1);
  for (int game = 0; game < count; ++game) PlayGame(run, choices);
  std::printf("games=%d peak_kib=%ld\n", count, PeakKiB());
  return 0;
}

int TimeOut(const std::string& path) {
  Run<AnsweringFrontEnd> run(path);
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  double cpuAtStart = 0;
  // After the game's own handling of each tick: the first problem is lost
  // when its mark appears.
  QObject::connect(&run.frontEnd.timer(), &QTimer::timeout, &run.frontEnd, [&] {
    if (run.program.game().marks(0).empty()) return;
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpuAtStart;
    std::printf("timeout_s=%.4f cpu_s=%.4f cpu_percent=%.3f\n", seconds, cpu, 100 * cpu / seconds);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  QTimer::singleShot(200, &run.frontEnd, [&] {
    // The problem begins inside the click: the clock is read just before.
    clock.start();
    cpuAtStart = CpuSeconds();
    run.template Control<QPushButton>(WindowId::Game, game_window::kStartButton)->click();
  });
  return QApplication::exec();
}

int Save(int count, const std::string& path) {
  std::vector<double> millis;
  SystemFileSystem disk;
  ResultsStore store(disk, path);
  for (int round = 0; round < count; ++round) {
    SessionState session;
    ResultsBoard board(session, store, 50);
    board.OnTextEdited(results_window::kNameBox, "ベンチ");
    QElapsedTimer clock;
    clock.start();
    board.OnClick(results_window::kBackButton);  // the write-back of 75 records, flushed and renamed
    millis.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::sort(millis.begin(), millis.end());
  std::printf("save_ms_median=%.3f save_ms_max=%.3f bytes=%zu\n", millis[millis.size() / 2],
              millis.back(), static_cast<std::size_t>(std::filesystem::file_size(path)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tavri-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "tavri.rnk").string();
  int qtArgc = 1;
  char programName[] = "tavri";
  char* qtArgv[] = {programName, nullptr};
  QGuiApplication::setDesktopSettingsAware(false);
  QCoreApplication::setAttribute(Qt::AA_DisableSessionManager);
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(qtArgc, qtArgv);
  QGuiApplication::setQuitOnLastWindowClosed(false);
  int result = 2;
  if (std::strcmp(argv[1], "games") == 0 && argc == 3) result = Games(std::atoi(argv[2]), path);
  if (std::strcmp(argv[1], "countdown") == 0) result = TimeOut(path);
  if (std::strcmp(argv[1], "save") == 0 && argc == 3) result = Save(std::atoi(argv[2]), path);
  std::filesystem::remove_all(folder);
  return result;
}
