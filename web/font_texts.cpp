// Writes every text the program itself shows, one to a line, for the web
// font to be cut down to: the captions and menus of the three windows'
// design tables, the texts their states put in at run time (played through a
// whole game here, so the formats of the game's own code are included), every
// message box, and what players type (ASCII, full-width digits and signs).
//
//   font_texts OUTPUT
//
// Built in the browser build and run under Node.js, on the core the page
// runs. The results file is kept where no file can be (under the output file
// itself), so every save and clear fails and their messages come too.
#include <cstddef>
#include <cstdio>
#include <set>
#include <string>
#include <variant>

#include "game/core/game.h"
#include "help/core/help_window_design.h"
#include "results/core/file_system.h"
#include "results/core/results_board.h"
#include "results/core/results_store.h"
#include "shared/clock_random.h"
#include "shared/utf8.h"

namespace tavri {
namespace {

class Texts {
 public:
  void Add(std::string text) {
    for (char& c : text)
      if (c == '\r') c = '\n';
    texts_.insert(std::move(text));
  }

  void AddDesign(const WindowDesign& design) {
    Add(design.caption);
    for (const ControlDesign& control : design.controls) Add(control.caption);
    for (const MenuDesign& menu : design.menus) Add(menu.caption);
  }

  void AddWindow(WindowModel& window) {
    for (const ControlState& control : window.State().controls) Add(control.text);
    for (const Command& command : window.TakeCommands()) {
      if (const auto* show = std::get_if<ShowMessage>(&command)) {
        Add(show->message.title);
        Add(show->message.text);
        shown_.insert(Bit(show->message.kind));
      }
    }
  }

  // Every kind of message box was shown: a new kind fails the build here
  // (a switch without it), and one this tool cannot provoke fails at run.
  bool AllMessagesShown() const { return shown_.size() == kMessageKinds; }

  bool Write(const char* path) const {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    for (const std::string& text : texts_) std::fprintf(file, "%s\n", text.c_str());
    return std::fclose(file) == 0;
  }

 private:
  static constexpr std::size_t kMessageKinds = 6;
  static int Bit(MessageKind kind) {
    switch (kind) {
      case MessageKind::StartNotice: return 0;
      case MessageKind::RangeChanged: return 1;
      case MessageKind::Restart: return 2;
      case MessageKind::ConfirmClear: return 3;
      case MessageKind::SaveFailed: return 4;
      case MessageKind::ClearFailed: return 5;
    }
    return -1;
  }

  std::set<std::string> texts_;
  std::set<int> shown_;
};

// One game: the range changed to each range, a right relationship and a
// formula on the first problem, wrong choices on the rest; then the results
// window with the score, its failing save, and a failing clear.
void PlayAGame(Texts& texts, const std::string& unusablePath) {
  SessionState session;
  ClockRandom random;
  Game game(session, random);
  texts.AddWindow(game);
  game.ShowStartNotice();
  for (XRange range : {XRange::OneToFive, XRange::MinusFiveToMinusOne, XRange::Random,
                       XRange::MinusTwoToTwo}) {
    game.OnRangeChosen(range);
    texts.AddWindow(game);
  }
  game.OnStart();
  for (int problem = 0; problem < game_window::kProblemCount; ++problem) {
    texts.AddWindow(game);
    const Relationship right = game.problem()->relationship;
    if (problem == 0) {
      game.OnRelationshipChosen(right);
      texts.AddWindow(game);
      game.OnEnterInFormula(right == Relationship::Inverse  ? FormulaBox::Numerator
                            : right == Relationship::Linear ? FormulaBox::Constant
                                                            : FormulaBox::Coefficient);
    } else {
      game.OnRelationshipChosen(right == Relationship::Proportional ? Relationship::Inverse
                                                                   : Relationship::Proportional);
    }
    texts.AddWindow(game);
  }

  SystemFileSystem disk;
  ResultsStore store(disk, unusablePath);
  ResultsBoard atGameEnd(session, store, static_cast<std::int16_t>(game.total().value_or(0)));
  texts.AddWindow(atGameEnd);
  atGameEnd.OnBack();
  texts.AddWindow(atGameEnd);
  game.OnResultsClosed();
  texts.AddWindow(game);

  ResultsBoard list(session, store, 0);
  list.OnClear();
  texts.AddWindow(list);
  list.OnMessageClosed(MessageKind::ConfirmClear, MessageAnswer::Ok);
  texts.AddWindow(list);
}

}  // namespace
}  // namespace tavri

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: font_texts OUTPUT\n");
    return 2;
  }
  tavri::Texts texts;
  texts.AddDesign(tavri::game_window::Design());
  texts.AddDesign(tavri::results_window::Design());
  texts.AddDesign(tavri::help_window::Design());
  // Names and answers as players type them.
  std::string typed;
  for (char c = ' '; c <= '~'; ++c) typed += c;
  texts.Add(typed);
  // Full-width digits, plus, hyphen-minus and full stop, the minus sign,
  // the long vowel mark and the ideographic space: what an input method
  // types into the formula boxes.
  std::u32string wide;
  for (char32_t c = 0xFF10; c <= 0xFF19; ++c) wide += c;
  wide += U"\uFF0B\uFF0D\uFF0E\u2212\u30FC\u3000";
  texts.Add(tavri::ToUtf8(wide));
  // Once the output exists, nothing can be made under it.
  if (!texts.Write(argv[1])) {
    std::fprintf(stderr, "font_texts: cannot write %s\n", argv[1]);
    return 1;
  }
  tavri::PlayAGame(texts, std::string(argv[1]) + "/tavri.rnk");
  if (!texts.AllMessagesShown()) {
    std::fprintf(stderr, "font_texts: a kind of message box was never shown\n");
    return 1;
  }
  return texts.Write(argv[1]) ? 0 : 1;
}
