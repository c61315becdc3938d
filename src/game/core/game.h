// The game: five problems, each answered in two stages (the relationship,
// then the formula), with points that fall while the player thinks. Holds
// the game's values as numbers and enums; what the game window shows is
// derived from them (State), and what the front end must do is left as
// commands.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/core/game_window_design.h"
#include "game/core/problem.h"
#include "shared/random_source.h"
#include "shared/session_state.h"
#include "shared/window_model.h"

namespace tavri {

enum class Mark { Right, Wrong };

// Which formula the entry shows after a right relationship choice.
enum class FormulaForm { None, Proportional, Inverse, Linear };

// The formula entry's boxes.
enum class FormulaBox { Coefficient, Numerator, Constant };

inline constexpr int kCountdownIntervalMs = 2000;
inline constexpr std::int16_t kStartPoints = 10;

class Game : public WindowModel {
 public:
  // Sets the window up as a fresh start of the program: the random sequence
  // seeded, the first range chosen, nothing to answer yet.
  Game(SessionState& session, RandomSource& random);

  const WindowDesign& Design() const override;
  WindowState State() const override;

  // Events of the window's controls and menus, routed to the game's own
  // handlers below.
  void OnClick(int control) override;
  void OnMenuChosen(int item) override;
  void OnTextEdited(int control, std::string_view text) override;
  void OnKeyPress(int control, int keyAscii) override;
  // There is no way back into a game once its window is closed: the close
  // box ends the program, as 終了 does.
  void OnCloseBox() override;
  void OnMessageClosed(MessageKind kind, MessageAnswer answer) override;

  // --- The game's values --------------------------------------------------------
  XRange range() const { return session_.range; }
  // 0 after Start until problem 1 is made, then 1 … 5.
  int problemNumber() const { return problemNumber_; }
  // Nothing before the first Start.
  const std::optional<Problem>& problem() const { return problem_; }
  // The points shown for the current problem (10 … 0), which a right
  // relationship choice banks.
  int points() const { return points_; }
  // The game's total; nothing before the first Start.
  std::optional<int> total() const { return total_; }
  const std::vector<Mark>& marks(int problemIndex) const {
    return marks_[static_cast<std::size_t>(problemIndex)];
  }
  bool relationshipOpen() const { return relationshipOpen_; }
  bool countdownRunning() const { return countdownRunning_; }
  FormulaForm formula() const { return formula_; }
  const std::string& boxText(FormulaBox box) const {
    return boxTexts_[static_cast<std::size_t>(box)];
  }
  // A game end is under way: the results window or the restart message is
  // still to be closed.
  bool gameEnding() const { return ending_ != Ending::None; }

 private:
  // Told by the program, which sees every window.
  friend class Program;

  // --- The game's handlers, reached only through the window's events ---------
  // Start (button and menu): a new game from problem 1, at any time.
  void OnStart();
  // The range button: the next range, also stopping the countdown.
  void OnNextRange();
  // A range menu item: that range; nothing happens when it is the current one.
  void OnRangeChosen(XRange range);
  void OnRelationshipChosen(Relationship relationship);
  // Enter in a box of the formula entry.
  void OnEnterInFormula(FormulaBox box);
  void OnCountdownTick();
  // 一覧 and the total button: the list, without placing a score.
  void OnOpenList();
  void OnOpenHelp();
  void OnExit();
  // The results window that a game end opened has closed.
  void OnResultsClosed();
  // The window became the active window in a way that calls for the
  // "スタート" notice (decided by the program, which sees every window).
  void ShowStartNotice();

  enum class Ending { None, ResultsThenRestart, ResultsOnly, RestartMessage };

  void NewProblem();
  void HideFormulaEntry();
  void StartCountdown();
  void StopCountdown();
  void EndGame(Ending after);
  void ShowRangeChange();
  bool ProblemIsOpen() const { return problemNumber_ >= 1 && problemNumber_ <= game_window::kProblemCount; }
  std::vector<Mark>& CurrentMarks() { return marks_[static_cast<std::size_t>(problemNumber_ - 1)]; }
  void EndProblem();

  SessionState& session_;
  RandomSource& random_;

  std::optional<Problem> problem_;
  std::int16_t lastB_ = 0;
  XRow randomRow_{};
  int problemNumber_ = 0;
  int points_ = 0;
  std::optional<int> total_;
  std::array<std::vector<Mark>, game_window::kProblemCount> marks_{};
  bool relationshipOpen_ = false;
  bool countdownRunning_ = false;
  FormulaForm formula_ = FormulaForm::None;
  std::array<std::string, 3> boxTexts_{};
  Ending ending_ = Ending::None;
};

}  // namespace tavri
