// The whole program on the offscreen desktop, built as main builds it, with
// only the random source and the front end's countdown, beep and message
// boxes replaced, on a results file the test chooses: the harness of the
// Qt tests that play through the windows beside the plays (the layout, the
// soak, the real box, the desktop's quit).
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdint>
#include <string>

#include "app/core/host.h"
#include "app/core/program.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "shared/qt/designed_window.h"
#include "support/fake_file_system.h"
#include "support/scripted_random.h"
#include "support/test_front_end.h"

namespace tavri::test {

inline constexpr WindowId kGameWindow = WindowId::Game;
inline constexpr WindowId kResultsWindow = WindowId::Results;
inline constexpr WindowId kHelpWindow = WindowId::Help;

class HostedProgram {
 public:
  HostedProgram(FileSystem& files, const std::string& resultsPath, std::uint32_t seed = 1);

  // Opens the game window and waits until it is active and its "スタート"
  // notice has been shown.
  [[nodiscard]] bool Start();

  DesignedWindow* Window(WindowId window) const { return frontEnd.Window(window); }
  QPushButton* Button(WindowId window, int control) const;
  QLabel* Label(WindowId window, int control) const;
  QLineEdit* Box(WindowId window, int control) const;

  Game& game() { return program.game(); }

  // Clicks a relationship button of the game window; false when it cannot
  // be clicked (hidden or disabled).
  [[nodiscard]] bool ChooseRelationship(Relationship relationship);
  [[nodiscard]] bool ChooseRightRelationship();
  // Types a and (for y = ax + b) b into the boxes the formula entry shows,
  // each followed by Enter; false when a box is not shown.
  [[nodiscard]] bool EnterFormula(int a, int b = 0);
  // Plays the current problem: the right relationship once its points have
  // fallen to `points`, then the right formula. A wrong relationship when
  // `points` is 0.
  [[nodiscard]] bool PlayProblem(int points);
  // Start, then five problems worth `score` in all (as much as possible as
  // early as possible); true once the results window of the game's end is
  // open.
  [[nodiscard]] bool PlayToGameEnd(int score);
  // Ticks of the running countdown; false when it stops before the last.
  [[nodiscard]] bool Tick(int ticks = 1);
  // Types into a box of an open window, as the player would.
  [[nodiscard]] bool Type(WindowId window, int box, const QString& text);
  [[nodiscard]] bool Click(WindowId window, int button);

  // After something that changes the active window: waits until `window`
  // is active and the program has been told.
  [[nodiscard]] bool WaitActive(WindowId window);

  ScriptedRandom random;
  TestFrontEnd frontEnd;
  ScriptedBoxes& boxes = frontEnd.boxes;
  ResultsStore store;
  Program program;
  Host host;
};

// A hosted program with its results file on an in-memory disk: what most
// window tests start from, made afresh for each test.
struct ProgramOnFakeDisk {
  FakeFileSystem files;
  HostedProgram program{files, "tavri.rnk"};
};

}  // namespace tavri::test
