// The running program: the game window for the whole run, the help window
// once opened, the results window while it is open. Every event a front end
// sees goes through here to the window it belongs to; what the windows ask
// of each other (a results window at the end of a game, the help window, the
// way back) is settled here, so a front end only draws, forwards and does
// what the commands say.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "game/core/game.h"
#include "help/core/help_page.h"
#include "results/core/results_board.h"
#include "results/core/results_store.h"
#include "shared/random_source.h"
#include "shared/session_state.h"

namespace tavri {

class Program {
 public:
  Program(RandomSource& random, ResultsStore& store);

  // Opens the game window: the run's first command.
  void Start();

  // The window's model, or nullptr while that window does not exist.
  WindowModel* Window(WindowId window);
  Game& game() { return game_; }
  ResultsBoard* results() { return results_.get(); }
  HelpPage* help() { return help_.get(); }
  const SessionState& session() const { return session_; }
  // The results window is open for the end of a game: no other window can
  // be used until it closes.
  bool resultsModal() const { return results_ && resultsAtGameEnd_; }
  bool ended() const { return ended_; }

  // --- Events from the front end ------------------------------------------------
  void OnClick(WindowId window, int control);
  void OnMenuChosen(WindowId window, int item);
  void OnTextEdited(WindowId window, int control, std::string_view text);
  void OnKeyPress(WindowId window, int control, int keyAscii);
  void OnCloseBox(WindowId window);
  void OnMessageClosed(WindowId owner, MessageKind kind, MessageAnswer answer);
  void OnCountdownTick();
  // A window of the program became the program's active window. A message
  // box counts as the window it was shown over, so closing one is no
  // change; a switch to another application is none either.
  void OnWindowActivated(WindowId window);

  // What the front end is to do, in order, since the last call: countdown,
  // beep, focus, message boxes and the opening, hiding and closing of
  // windows (never OpenResults or OpenHelp, which are settled here).
  std::vector<Command> TakeCommands() { return std::exchange(commands_, {}); }

 private:
  // Takes in the windows' commands until none is left.
  void Settle();
  void Handle(Command command);
  void OpenResultsWindow(const OpenResults& request);
  bool Accepts(WindowId window) const;

  SessionState session_;
  ResultsStore& store_;
  Game game_;
  std::unique_ptr<ResultsBoard> results_;
  bool resultsAtGameEnd_ = false;
  std::unique_ptr<HelpPage> help_;
  std::optional<WindowId> activeWindow_;
  bool ended_ = false;
  std::vector<Command> commands_;
};

}  // namespace tavri
