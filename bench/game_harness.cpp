// The game's windows, built as the program builds them, driven for the
// benchmark. Message boxes are answered at once (the real ones would wait for
// a hand), everything else is the program's own: the windows, the QTimer of
// the countdown, the results window and the results file on disk.
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
#include <QTimerEvent>
#include <QtTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "results/core/file_system.h"
#include "results/core/form3.h"
#include "results/ui/form3_window.h"
#include "results/ui/results_windows.h"
#include "shared/clock_random.h"
#include "shared/module1.h"

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

class BenchPlatform : public Platform {
 public:
  MessageAnswer MsgBox(const MessageBoxSpec&) override { return MessageAnswer::Ok; }
  void Beep() override {
    if (onBeep) onBeep();
  }
  void Randomize() override { random_.Randomize(); }
  float Rnd() override { return random_.Next(); }
  std::function<void()> onBeep;

 private:
  ClockRandom random_;
};

class BenchWindows : public Form1Windows {
 public:
  BenchWindows(Module1& module, Platform& platform, const std::string& path)
      : results(module, platform, files, path) {}
  void ShowResultsModal() override {
    QTimer::singleShot(0, [this] {
      Form3Window* window = results.window();
      if (!window) return;
      if (window->text1()->isVisible()) QTest::keyClicks(window->text1(), QStringLiteral("BENCH"));
      window->button(QStringLiteral("Command1"))->click();
    });
    results.ShowModal();
    ++gameEnds;
  }
  void ShowResultsModeless() override { results.ShowModeless(); }
  void ShowHelp() override {}
  void EndProgram() override { QCoreApplication::exit(0); }

  SystemFileSystem files;
  ResultsWindows results;
  int gameEnds = 0;
};

// The program's windows, as main() makes them.
struct Program {
  explicit Program(const std::string& resultsPath) : windows(module, platform, resultsPath) {
    window.Load();
    window.ShowCentred();
  }
  Module1 module;
  BenchPlatform platform;
  BenchWindows windows;
  Form1 form{module, platform, windows};
  Form1Window window{form};

  template <typename T>
  T* Find(const QString& name) const {
    return window.findChild<T*>(name);
  }
  void Tick() {
    QTimer* timer = Find<QTimer>(QStringLiteral("Timer1"));
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
  }
  void Type(QLineEdit* box, int value) {
    box->clear();
    QTest::keyClicks(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Return);
  }
  // A game as a player might play it: a few ticks, the right relationship
  // and formula, now and then a time-out.
  void PlayGame(std::mt19937& choices) {
    Find<QPushButton>(QStringLiteral("Command1"))->click();
    for (int problem = 0; problem < 5; ++problem) {
      if (choices() % 6 == 0) {
        for (int tick = 0; tick < 11; ++tick) Tick();
        continue;
      }
      for (unsigned tick = choices() % 6; tick > 0; --tick) Tick();
      Find<QPushButton>(QStringLiteral("kotae(%1)").arg(form.kind))->click();
      auto* textA1 = Find<QLineEdit>(QStringLiteral("TextA1"));
      auto* textB = Find<QLineEdit>(QStringLiteral("TextB"));
      if (textB->isVisible()) {
        Type(textA1, form.coefA);
        Type(textB, form.coefB);
      } else {
        Type(textA1->isVisible() ? textA1 : Find<QLineEdit>(QStringLiteral("TextA2")), form.coefA);
      }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
};

int Games(int count, const std::string& path) {
  Program program(path);
  QCoreApplication::processEvents();
  std::mt19937 choices(1);
  for (int game = 0; game < count; ++game) program.PlayGame(choices);
  if (program.windows.gameEnds != count) return 1;
  std::printf("games=%d peak_kib=%ld\n", count, PeakKiB());
  return 0;
}

int Countdown(const std::string& path) {
  Program program(path);
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  double cpuAtStart = 0;
  program.platform.onBeep = [&] {
    double seconds = clock.nsecsElapsed() / 1e9;
    double cpu = CpuSeconds() - cpuAtStart;
    std::printf("timeout_s=%.4f cpu_s=%.4f cpu_percent=%.3f\n", seconds, cpu, 100 * cpu / seconds);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  QTimer::singleShot(200, [&] {
    // The problem begins inside the click: the clock is read just before.
    clock.start();
    cpuAtStart = CpuSeconds();
    program.Find<QPushButton>(QStringLiteral("Command1"))->click();
  });
  return QApplication::exec();
}

int Save(int count, const std::string& path) {
  std::vector<double> millis;
  BenchPlatform platform;
  SystemFileSystem disk;
  for (int round = 0; round < count; ++round) {
    Module1 module;
    module.totalScore = 50;
    class NoHost : public Form3Host {
      void UnloadForm3() override {}
    } host;
    Form3 form(module, platform, host, disk, path);
    form.Form_Load();
    form.Text1.Text = "ベンチ";
    QElapsedTimer clock;
    clock.start();
    form.Command1_Click();  // the write-back of 75 records, flushed and renamed
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
  int result = 2;
  if (std::strcmp(argv[1], "games") == 0 && argc == 3) result = Games(std::atoi(argv[2]), path);
  if (std::strcmp(argv[1], "countdown") == 0) result = Countdown(path);
  if (std::strcmp(argv[1], "save") == 0 && argc == 3) result = Save(std::atoi(argv[2]), path);
  std::filesystem::remove_all(folder);
  return result;
}
