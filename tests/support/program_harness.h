// The program run by the host on a front end in memory: each event goes to
// the host as a front end reports it, and every command the host carries
// out is logged. A message box is answered as soon as the host has shown it
// (OK, or for an OK/Cancel box the next scripted answer) unless the test
// holds boxes open.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "support/recording_front_end.h"
#include "support/memory_results.h"
#include "support/scripted_random.h"

namespace tavri {

// Readable commands in the messages of failed checks.
std::string Describe(const Command& command);

template <class T, class Variant>
struct IsAlternativeOf : std::false_type {};
template <class T, class... Alternatives>
struct IsAlternativeOf<T, std::variant<Alternatives...>>
    : std::bool_constant<(std::is_same_v<T, Alternatives> || ...)> {};

template <class T>
  requires IsAlternativeOf<T, Command>::value
void PrintTo(const T& command, std::ostream* out) {
  *out << Describe(Command{command});
}

}  // namespace tavri

namespace tavri::test {

inline const std::string kRight = "○";
inline const std::string kWrong = "×";

class ProgramHarness;

// Logs every command as the host carries it out.
class TracingHost : public Host {
 public:
  TracingHost(Program& program, FrontEnd& frontEnd, ProgramHarness& harness)
      : Host(program, frontEnd), harness_(harness) {}

 protected:
  void Carry(const Command& command) override;

 private:
  ProgramHarness& harness_;
};

class ProgramHarness {
 public:
  // The program started: the game window open and active, its "スタート"
  // notice answered, the log cleared.
  ProgramHarness();

  // --- Events ----------------------------------------------------------------
  void Click(WindowId window, int control);
  void Click(int gameControl) { Click(WindowId::Game, gameControl); }
  void ChooseMenu(int gameItem);
  void Type(WindowId window, int control, std::string_view text);
  void Key(WindowId window, int control, int keyAscii);
  void CloseBox(WindowId window);
  void Tick(int times = 1);
  // The player made the window active.
  void Activate(WindowId window);
  // Answers the box held open.
  void AnswerBox(MessageAnswer answer = MessageAnswer::Ok);

  // --- Playing ---------------------------------------------------------------
  void QueueProblem(Relationship relationship, int a, int b = 1);
  // Start, with problem 1 as given.
  void StartGame(Relationship relationship, int a, int b = 1);
  // Start, with all five problems y = 2x.
  void StartGameOfFive();
  void Choose(Relationship relationship);
  // Types into the boxes the formula entry shows, pressing Enter in each in
  // turn as a player would.
  void EnterFormula(const std::string& a, const std::string& b = "");
  // Both stages of the current problem right. The next problem's draws
  // must be queued first.
  [[nodiscard]] testing::AssertionResult AnswerRight();
  // A game of five problems y = 2x from Start, the first ticks.size() of
  // them answered right after ticks[i] ticks. After all five the results
  // window of the game end is open.
  [[nodiscard]] testing::AssertionResult PlayGame(const std::vector<int>& ticks);

  // --- What the windows show -------------------------------------------------
  WindowState State(WindowId window = WindowId::Game);
  std::string Text(int control, WindowId window = WindowId::Game);
  bool Shown(int control, WindowId window = WindowId::Game);
  bool Usable(int control, WindowId window = WindowId::Game);
  std::string Mark(int problem);  // 1 … 5
  std::vector<std::string> XRow();
  std::vector<std::string> YRow();
  bool FormulaEntryShown();
  bool AnyRelationshipUsable();

  // --- What the program asked ------------------------------------------------
  template <class T>
  std::vector<T> Taken() const {
    std::vector<T> found;
    for (const Command& command : commands)
      if (const T* wanted = std::get_if<T>(&command)) found.push_back(*wanted);
    return found;
  }
  // How many boxes of that kind were shown.
  std::size_t Boxes(MessageKind kind) const {
    std::size_t count = 0;
    for (const ShowMessage& box : messages) count += box.message.kind == kind ? 1 : 0;
    return count;
  }
  void ClearLog() {
    commands.clear();
    messages.clear();
  }

  ScriptedRandom random;
  MemoryResults results;
  Program program{random, results.store()};
  RecordingFrontEnd front;
  TracingHost host{program, front, *this};

  std::vector<Command> commands;      // every command carried out, in order
  std::vector<ShowMessage> messages;  // every box shown
  std::deque<MessageAnswer> answers;  // for OK/Cancel boxes; OK once empty
  bool holdBoxes = false;             // boxes stay open until AnswerBox
  // The box the host shows, while it is held open.
  std::optional<ShowMessage> openBox;
  // Runs as each command is carried out, before a box is answered.
  std::function<void(const Command&)> onCommand;

 private:
  friend class TracingHost;
  std::vector<std::string> Row(int first);  // a row of the table
  // Answers the boxes the host shows, unless they are held.
  void Settle();
};

}  // namespace tavri::test
