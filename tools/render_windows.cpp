// Renders the program's windows to PNG files on the offscreen desktop, so
// they can be compared with the design without a display:
//
//   render_windows OUTPUT_FOLDER
//
// game-window.png              the game window as the player first sees it
// game-window-design.png       the game window as drawn up: every control
//                              shown with its design caption
// game-window-inverse.png      a problem of y = a / x on －２～２, three ticks in
// game-window-linear-entry.png the formula entry of y = 3x − 2 on １～５
// game-window-marks.png        the mark list after a whole game: ○○, ○×, ×,
//                              ○○, × and a total of 25
// results-first-game.png       the results window after a first game of 30
// results-after-restart.png    the list, opened from the menu, after a later
//                              run of the program added four more names
// help-window.png              the help window
#include <QApplication>
#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <deque>
#include <functional>
#include <initializer_list>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/core/text_fitting.h"
#include "app/core/window_order.h"
#include "app/qt/qt_front_end.h"
#include "game/core/game_window_design.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "results/core/results_window_design.h"
#include "shared/clock_random.h"
#include "shared/design_units.h"
#include "shared/qt/design_fonts.h"
#include "shared/qt/designed_window.h"

namespace tavri {
namespace {

using namespace game_window;

// The Qt front end with ticks when the scene says so, and no message box:
// a picture needs none, each is answered OK at once.
class SceneFrontEnd : public QtFrontEnd {
 public:
  void StartTimer(int) override { running_ = true; }
  void StopTimer() override { running_ = false; }
  void ShowBox(WindowId, const Message&) override { host()->OnBoxAnswered(MessageAnswer::Ok); }
  void Ticks(int count) {
    for (int tick = 0; tick < count && running_; ++tick) host()->OnTimerTick();
  }

 private:
  bool running_ = false;
};

// Draws come from a script while it lasts, so a scene shows the problem it
// names; then from a fixed sequence.
class SceneRandom : public RandomSource {
 public:
  void SeedFromClock() override {}
  float Next() override {
    if (script_.empty()) return sequence_.Next();
    const float next = script_.front();
    script_.pop_front();
    return next;
  }
  void Script(std::initializer_list<float> draws) { script_.insert(script_.end(), draws); }

 private:
  ClockRandom sequence_;
  std::deque<float> script_;
};

// The middle of the interval that ⌊count·r⌋ maps to `value`: the kind of a
// problem (0 y = ax, 1 y = a / x, 2 y = ax + b) with count 3, a coefficient
// a in −4 … 4 as a + 4 with count 9.
constexpr float Draw(int value, int count) { return (value + 0.5f) / count; }
constexpr float Coefficient(int a) { return Draw(a + 4, 9); }

// One run of the program on a results file.
struct Run {
  // The game window is up and active, its notice answered, as the player
  // first sees it.
  explicit Run(const std::string& resultsPath) : store(files, resultsPath) {
    frontEnd.ReportTo(host);
    host.Start();
    if (!QTest::qWaitFor([this] { return QApplication::activeWindow() == &Window(WindowId::Game); }))
      std::fprintf(stderr, "the game window never became active\n");
    QCoreApplication::sendPostedEvents();
  }

  DesignedWindow& Window(WindowId window) const { return *frontEnd.Window(window); }
  void Click(WindowId window, int button) {
    Window(window).Control<QPushButton>(button)->click();
  }
  void Type(WindowId window, int box, const char* text, bool enter) {
    auto* typed = Window(window).Control<QLineEdit>(box);
    const QString characters = QString::fromUtf8(text);
    if (characters.toLatin1() == text) {
      QTest::keyClicks(typed, characters);
    } else {
      // Japanese comes from an input method, a word at a time.
      QInputMethodEvent commit;
      commit.setCommitString(characters);
      QApplication::sendEvent(typed, &commit);
    }
    if (enter) QTest::keyClick(typed, Qt::Key_Return);
  }
  // The right relationship once the points have fallen by `ticks`, then
  // the formula typed (`a` wrong by one when asked).
  void Answer(int ticks, bool rightFormula) {
    frontEnd.Ticks(ticks);
    const Problem problem = *program.game().problem();
    Click(WindowId::Game, kRelationshipButtons + static_cast<int>(problem.relationship));
    Type(WindowId::Game, kCoefficientBox,
         QByteArray::number(problem.a + (rightFormula ? 0 : 1)).constData(), true);
  }
  // A game of five problems of y = 2x worth `score`, to the results window.
  void PlayTo(int score) {
    for (int problem = 0; problem < kProblemCount; ++problem) random.Script({Draw(0, 3), Coefficient(2)});
    Click(WindowId::Game, kStartButton);
    for (int problem = 0; problem < kProblemCount; ++problem) {
      const int points = std::min(score, 10);
      score -= points;
      if (points > 0)
        Answer(10 - points, true);
      else
        Click(WindowId::Game, kRelationshipButtons + 1);
    }
  }

  SceneRandom random;
  SystemFileSystem files;
  ResultsStore store;
  Program program{random, store};
  SceneFrontEnd frontEnd;
  Host host{program, frontEnd};
};

// The window as drawn up, its labels fitted as the host fits them.
WindowLook DesignLook(const WindowDesign& design, FrontEnd& measure) {
  WindowLook look;
  const WindowState state = DesignState(design);
  for (std::size_t row = 0; row < state.controls.size(); ++row) {
    const std::string& text = state.controls[row].text;
    const TextFit fit = FitText(design, static_cast<int>(row), text, kDesignDpi,
                                !measure.DesignFaceInstalled(), measure);
    look.controls.push_back(ControlLook{text, true, true, fit.widthPercent, fit.size});
  }
  return look;
}

// `active`: once the window is the active one, with its focus showing.
bool Save(QWidget& window, const QDir& folder, const char* file, bool active = false) {
  if (active && !QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }))
    std::fprintf(stderr, "%s: the window never became active\n", file);
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(file));
  if (!window.grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace
}  // namespace tavri

int main(int argc, char** argv) {
  using namespace tavri;
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_windows OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallFontSubstitutions();
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  QTemporaryDir disk;
  const auto resultsFile = [&disk](const char* name) {
    return disk.filePath(QString::fromLatin1(name)).toStdString();
  };

  bool ok = true;
  // Each game window scene plays on a run of its own, then is saved.
  const auto scene = [&](const char* file, const std::function<void(Run&)>& play) {
    Run run(resultsFile(file));
    play(run);
    ok = Save(run.Window(WindowId::Game), folder, file) && ok;
  };
  {
    const WindowDesign& design = game_window::Design();
    DesignedWindow drawnUp(design, kDesignDpi, StackingOrder(design));
    QtFrontEnd measure;
    drawnUp.Draw(DesignLook(design, measure));
    drawnUp.show();
    ok = Save(drawnUp, folder, "game-window-design.png") && ok;
  }
  scene("game-window.png", [](Run&) {});
  scene("game-window-inverse.png", [](Run& run) {
    // y = −12 / x: the middle column has no y.
    run.random.Script({Draw(1, 3), Draw(1, 3), 0.25f});
    run.Click(WindowId::Game, kStartButton);
    run.frontEnd.Ticks(3);
  });
  scene("game-window-linear-entry.png", [](Run& run) {
    // y = 3x − 2 on １～５, the relationship chosen at 9 points, both typed.
    run.Window(WindowId::Game).MenuItem(kRangeItems + 1)->trigger();
    run.random.Script({Draw(2, 3), Coefficient(3), Coefficient(-2)});
    run.Click(WindowId::Game, kStartButton);
    run.frontEnd.Ticks(1);
    run.Click(WindowId::Game, kRelationshipButtons + 2);
    run.Type(WindowId::Game, kCoefficientBox, "3", false);
    run.Type(WindowId::Game, kConstantBox, "-2", false);
  });
  scene("game-window-marks.png", [](Run& run) {
    // Right, right with a wrong formula, wrong, right, and a time-out.
    for (int problem = 0; problem < kProblemCount; ++problem)
      run.random.Script({Draw(0, 3), Coefficient(2)});
    run.Click(WindowId::Game, kStartButton);
    run.Answer(0, true);
    run.Answer(1, false);
    run.Click(WindowId::Game, kRelationshipButtons + 1);
    run.Answer(4, true);
    run.frontEnd.Ticks(11);
  });
  {
    // A first game of 30 with an empty list, then a later run that adds four
    // more names; the list opened from the menu.
    const std::string path = resultsFile("tavri.rnk");
    {
      Run first(path);
      first.PlayTo(30);
      ok = Save(first.Window(WindowId::Results), folder, "results-first-game.png", true) && ok;
      first.Type(WindowId::Results, results_window::kNameBox, "たろう", true);
    }
    {
      Run second(path);
      for (int score : {45, 20, 10, 5}) {
        second.PlayTo(score);
        const QByteArray name = "Player" + QByteArray::number(score);
        second.Type(WindowId::Results, results_window::kNameBox, name.constData(), true);
      }
    }
    Run third(path);
    third.Window(WindowId::Game).MenuItem(kListItem)->trigger();
    ok = Save(third.Window(WindowId::Results), folder, "results-after-restart.png", true) && ok;
  }
  {
    Run run(resultsFile("help"));
    run.Click(WindowId::Game, kHelpButton);
    ok = Save(run.Window(WindowId::Help), folder, "help-window.png", true) && ok;
  }
  return ok ? 0 : 1;
}
