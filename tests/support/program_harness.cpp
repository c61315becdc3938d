#include "support/program_harness.h"

#include <sstream>
#include <stdexcept>
#include <utility>
#include <type_traits>

namespace tavri {

namespace {

const char* Name(WindowId window) {
  switch (window) {
    case WindowId::Game: return "Game";
    case WindowId::Results: return "Results";
    case WindowId::Help: return "Help";
  }
  return "?";
}

}  // namespace

std::string Describe(const Command& command) {
  std::ostringstream out;
  std::visit(
      [&out](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, StartCountdown>) out << "StartCountdown{" << c.intervalMs << "}";
        if constexpr (std::is_same_v<T, StopCountdown>) out << "StopCountdown";
        if constexpr (std::is_same_v<T, Beep>) out << "Beep";
        if constexpr (std::is_same_v<T, MoveFocus>) out << "MoveFocus{" << Name(c.window) << ", " << c.control << "}";
        if constexpr (std::is_same_v<T, ShowMessage>)
          out << "ShowMessage{" << Name(c.owner) << ", " << c.message.title << ": " << c.message.text << "}";
        if constexpr (std::is_same_v<T, OpenWindow>)
          out << "OpenWindow{" << Name(c.window) << (c.modal ? ", modal}" : "}");
        if constexpr (std::is_same_v<T, HideWindow>) out << "HideWindow{" << Name(c.window) << "}";
        if constexpr (std::is_same_v<T, CloseWindow>) out << "CloseWindow{" << Name(c.window) << "}";
        if constexpr (std::is_same_v<T, EndProgram>) out << "EndProgram";
      },
      command);
  return out.str();
}

}  // namespace tavri

namespace tavri::test {

using namespace game_window;

void TracingHost::Carry(const Command& command) {
  harness_.commands.push_back(command);
  if (harness_.onCommand) harness_.onCommand(command);
  if (const auto* box = std::get_if<ShowMessage>(&command)) harness_.messages.push_back(*box);
  Host::Carry(command);
}

ProgramHarness::ProgramHarness() {
  host.Start();
  Settle();
  // Tests read what their own steps did; the front end keeps the start.
  ClearLog();
}

void ProgramHarness::Settle() {
  while (front.box && !holdBoxes) {
    const auto [owner, message] = *std::exchange(front.box, std::nullopt);
    MessageAnswer answer = MessageAnswer::Ok;
    if (message.buttons == MessageButtons::OkCancel && !answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    host.OnBoxAnswered(answer);
  }
  openBox.reset();
  if (front.box) openBox = ShowMessage{front.box->first, front.box->second};
}

void ProgramHarness::AnswerBox(MessageAnswer answer) {
  if (!front.box) throw std::logic_error("no message box is open");
  front.box.reset();
  host.OnBoxAnswered(answer);
  Settle();
}

void ProgramHarness::Click(WindowId window, int control) {
  host.OnClick(window, control);
  Settle();
}

void ProgramHarness::ChooseMenu(int gameItem) {
  host.OnMenuChosen(WindowId::Game, gameItem);
  Settle();
}

void ProgramHarness::Type(WindowId window, int control, std::string_view text) {
  host.OnTextEdited(window, control, text);
  Settle();
}

void ProgramHarness::Key(WindowId window, int control, int keyAscii) {
  host.OnKeyPress(window, control, keyAscii);
  Settle();
}

void ProgramHarness::CloseBox(WindowId window) {
  host.OnCloseBox(window);
  Settle();
}

void ProgramHarness::Tick(int times) {
  for (int i = 0; i < times; ++i) {
    host.OnTimerTick();
    Settle();
  }
}

void ProgramHarness::Activate(WindowId window) {
  host.OnActivated(window);
  Settle();
}

void ProgramHarness::QueueProblem(Relationship relationship, int a, int b) {
  random.Queue(ProblemDraws(relationship, a, b));
}

void ProgramHarness::StartGame(Relationship relationship, int a, int b) {
  QueueProblem(relationship, a, b);
  Click(kStartButton);
}

void ProgramHarness::StartGameOfFive() {
  StartGame(Relationship::Proportional, 2);
  for (int problem = 2; problem <= kProblemCount; ++problem)
    QueueProblem(Relationship::Proportional, 2);
}

void ProgramHarness::Choose(Relationship relationship) {
  Click(kRelationshipButtons + static_cast<int>(relationship));
}

void ProgramHarness::EnterFormula(const std::string& a, const std::string& b) {
  if (Shown(kNumeratorBox)) {
    Type(WindowId::Game, kNumeratorBox, a);
    Key(WindowId::Game, kNumeratorBox, kEnterKey);
    return;
  }
  const bool linear = Shown(kConstantBox);
  Type(WindowId::Game, kCoefficientBox, a);
  Key(WindowId::Game, kCoefficientBox, kEnterKey);
  if (linear) {
    Type(WindowId::Game, kConstantBox, b);
    Key(WindowId::Game, kConstantBox, kEnterKey);
  }
}

testing::AssertionResult ProgramHarness::AnswerRight() {
  const Game& game = program.game();
  if (!game.problem() || !game.relationshipOpen())
    return testing::AssertionFailure() << "no problem waits for its relationship";
  const Problem problem = *game.problem();
  Choose(problem.relationship);
  if (game.formula() == FormulaForm::None)
    return testing::AssertionFailure() << "the right relationship opened no formula entry";
  EnterFormula(std::to_string(problem.a), std::to_string(problem.b));
  return testing::AssertionSuccess();
}

testing::AssertionResult ProgramHarness::PlayGame(const std::vector<int>& ticks) {
  if (ticks.size() > kProblemCount)
    return testing::AssertionFailure() << "a game has five problems";
  StartGameOfFive();
  for (int waited : ticks) {
    Tick(waited);
    if (auto answered = AnswerRight(); !answered) return answered;
  }
  if (ticks.size() == kProblemCount && !program.resultsModal())
    return testing::AssertionFailure() << "no results window opened at the game end";
  return testing::AssertionSuccess();
}

WindowState ProgramHarness::State(WindowId window) {
  WindowModel* model = program.Window(window);
  return model ? model->State() : WindowState{};
}

std::string ProgramHarness::Text(int control, WindowId window) {
  return State(window).controls.at(static_cast<std::size_t>(control)).text;
}

bool ProgramHarness::Shown(int control, WindowId window) {
  return State(window).controls.at(static_cast<std::size_t>(control)).visible;
}

bool ProgramHarness::Usable(int control, WindowId window) {
  const ControlState state = State(window).controls.at(static_cast<std::size_t>(control));
  return state.visible && state.enabled;
}

std::string ProgramHarness::Mark(int problem) { return Text(kMarkCells + problem - 1); }

std::vector<std::string> ProgramHarness::Row(int first) {
  std::vector<std::string> row;
  for (int d = 0; d < kColumns; ++d) row.push_back(Text(first + d));
  return row;
}

std::vector<std::string> ProgramHarness::XRow() { return Row(kXCells); }
std::vector<std::string> ProgramHarness::YRow() { return Row(kYCells); }

bool ProgramHarness::FormulaEntryShown() {
  for (int control = kFormulaY; control <= kEnterHint; ++control)
    if (Shown(control)) return true;
  return false;
}

bool ProgramHarness::AnyRelationshipUsable() {
  for (int i = 0; i < kRelationshipCount; ++i)
    if (Usable(kRelationshipButtons + i)) return true;
  return false;
}

}  // namespace tavri::test
