// What every step of a play is made of: the words after its step word, read
// and checked when the play is read (Args), and the stage it plays on when
// the scenario runs (Stage).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scenarios/player.h"

namespace tavri::scenario {

class Stage {
 public:
  Stage(Driver& played, std::vector<Failure>& failures) : driver(played), failures_(failures) {}

  // A failed check: noted, and the scenario goes on.
  void Check(bool passed, const std::string& shown) {
    if (!passed) failures_.push_back({file, step->line, step->source, shown});
  }

  Driver& driver;
  std::string file;
  const Step* step = nullptr;
  // The results file the program starts with.
  std::optional<std::string> resultsFile;

 private:
  std::vector<Failure>& failures_;
};

using Action = std::function<void(Stage&)>;

// A step that cannot be taken: the scenario ends there.
struct StepFailed {
  std::string what;
};

// The words of one step; each reader throws std::invalid_argument saying
// what is wrong, which the player turns into a PlayError naming the line.
class Args {
 public:
  Args(const PlayLine& line, std::size_t first) : words_(line.words), at_(first) {}

  std::string Bare(const std::string& what);
  std::string Text(const std::string& what);
  bool NextIsText() const { return at_ < words_.size() && words_[at_].quoted; }
  bool AtEnd() const { return at_ == words_.size(); }
  int Int(const std::string& what, int low, int high);
  // One of the words, as its value.
  template <typename T>
  T OneOf(const std::string& what, const std::vector<std::pair<std::string, T>>& choices) {
    const std::string word = Bare(what);
    for (const auto& [name, value] : choices)
      if (name == word) return value;
    std::string names;
    for (const auto& choice : choices) names += (names.empty() ? "" : "|") + choice.first;
    throw std::invalid_argument(what + " must be " + names + ", not '" + word + "'");
  }
  // Takes the word when it comes next.
  bool Accept(std::string_view word);
  WindowId Window();
  int Control(WindowId window);
  int MenuItem();
  // Nothing may follow.
  void End() const;

 private:
  const Word& Next(const std::string& what);

  const std::vector<Word>& words_;
  std::size_t at_;
};

using Compile = std::function<Action(Args&)>;

// A text as a play writes it.
std::string Quote(const std::string& text);

// The 12 bytes of a record: the name's bytes (at most 10) padded with
// blanks, the score little-endian.
std::string RecordOf(const std::string& nameBytes, int score);

}  // namespace tavri::scenario
