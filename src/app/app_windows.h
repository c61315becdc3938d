// Opens the program's other windows for the game window and ends the
// program.
#pragma once

#include <QPointer>

#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "help/ui/form2_window.h"
#include "results/ui/results_windows.h"

namespace tavri {

class AppWindows : public Form1Windows {
 public:
  // The results window is opened through `results`, which knows where the
  // results file lives.
  explicit AppWindows(ResultsWindows& results) : results_(results) {}
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;
  ~AppWindows() override;

  // The game window: the help window's 戻る brings it forward, and closing
  // it with its title bar ends the program.
  void SetGameWindow(Form1Window* window);
  Form1Window* gameWindow() const { return game_; }
  // The help window while it exists (shown or hidden), else nullptr.
  Form2Window* helpWindow() const { return help_; }

  // The game end: a fresh modal results window (a list open for viewing is
  // closed first, unsaved, since it holds no new entry); returns once closed.
  void ShowResultsModal() override;
  // 一覧 and the total button: opens the list beside the game window.
  void ShowResultsModeless() override;
  // Creates the help window on its first opening (and again after its close
  // box destroyed it), then shows it, brings it to the front and activates it.
  void ShowHelp() override;
  // Hides every window at once, without any of their handlers (a name being
  // typed in the results window is not stored), and leaves
  // every event loop, nested ones included; main() then returns.
  void EndProgram() override;

 private:
  ResultsWindows& results_;
  QPointer<Form1Window> game_;
  QPointer<Form2Window> help_;
};

}  // namespace tavri
