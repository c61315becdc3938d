// The program's windows: the game window for the whole run, the help window
// once opened, the results window while it is open. Every event the host
// lets through goes here to the window it belongs to; what the windows ask
// of each other (a results window at the end of a game, the help window) is
// settled here. The host (host.h) runs it on a front end and is the only
// one to send it events.
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

 private:
  friend class Host;

  // Opens the game window: the run's first command.
  void Start();

  // --- Events, as the host lets them through --------------------------------------
  void OnClick(WindowId window, int control);
  void OnMenuChosen(WindowId window, int item);
  void OnTextEdited(WindowId window, int control, std::string_view text);
  void OnKeyPress(WindowId window, int control, int keyAscii);
  void OnCloseBox(WindowId window);
  void OnMessageClosed(WindowId owner, MessageKind kind, MessageAnswer answer);
  void OnCountdownTick();
  // The active window of the program changed to `window` (the host decides
  // when it does).
  void OnWindowActivated(WindowId window);

  // What is to be done, in order, since the last call: countdown, beep,
  // focus, message boxes and the opening, hiding and closing of windows.
  std::vector<Command> TakeCommands() { return std::exchange(commands_, {}); }

  // Takes in what the windows left until nothing is left.
  void Settle();
  void Handle(Command command);
  void Handle(const Request& request);
  void OpenResultsWindow(const OpenResults& request);

  SessionState session_;
  ResultsStore& store_;
  Game game_;
  std::unique_ptr<ResultsBoard> results_;
  bool resultsAtGameEnd_ = false;
  std::unique_ptr<HelpPage> help_;
  bool ended_ = false;
  std::vector<Command> commands_;
};

}  // namespace tavri
