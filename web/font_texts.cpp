// Writes every text the program itself shows, one to a line, for the web
// font to be cut down to: the captions and menus of the three windows'
// design tables, the texts their states put in at run time (a whole game is
// played through the host here, so the formats of the game's own code are
// included), every message box and its buttons, and what players type
// (ASCII, full-width digits and signs).
//
//   font_texts OUTPUT
//
// Built in the browser build and run under Node.js, on the core the page
// runs. The results file is kept where no file can be (under the output file
// itself), so the list cannot be read.
#include <cstddef>
#include <cstdio>
#include <set>
#include <optional>
#include <string>
#include <utility>

#include "app/core/front_end.h"
#include "app/core/host.h"
#include "app/core/program.h"
#include "help/core/help_window_design.h"
#include "results/core/results_board.h"
#include "results/core/file_system.h"
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

  void AddMessage(const Message& message) {
    Add(message.title);
    Add(message.text);
    shown_.insert(Bit(message.kind));
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
  static constexpr std::size_t kMessageKinds = 10;
  static int Bit(MessageKind kind) {
    switch (kind) {
      case MessageKind::StartNotice: return 0;
      case MessageKind::RangeChanged: return 1;
      case MessageKind::Restart: return 2;
      case MessageKind::ConfirmClear: return 3;
      case MessageKind::SaveFailed: return 4;
      case MessageKind::ClearFailed: return 5;
      case MessageKind::ListUnreadable: return 6;
      case MessageKind::SaveUnconfirmed: return 7;
      case MessageKind::ClearUnconfirmed: return 8;
      case MessageKind::PlaceGone: return 9;
    }
    return -1;
  }

  std::set<std::string> texts_;
  std::set<int> shown_;
};

// A front end that shows nothing: it keeps every text drawn and every box,
// and the box waits for the player below to answer it.
class Collector : public FrontEnd {
 public:
  explicit Collector(Texts& texts) : texts_(texts) {}

  ScreenInfo Screen(std::optional<WindowId>) override { return {}; }
  bool DesignFaceInstalled() override { return true; }
  TextExtent MeasureText(std::string_view, const FontSpec&, int) override { return {}; }
  PixelRect Frame(WindowId) override { return {}; }
  std::optional<int> FocusedControl(WindowId) override { return std::nullopt; }
  void Build(const WindowSetup&) override {}
  void Move(WindowId, PixelPoint) override {}
  void Draw(WindowId, const WindowLook& look) override {
    for (const ControlLook& control : look.controls) texts_.Add(control.text);
  }
  void Show(WindowId) override {}
  void Hide(WindowId) override {}
  void Destroy(WindowId) override {}
  void Activate(WindowId) override {}
  void SetInputEnabled(WindowId, bool) override {}
  void Focus(WindowId, int) override {}
  void StartTimer(int) override {}
  void StopTimer() override {}
  void Beep() override {}
  void ShowBox(WindowId, const Message& message) override {
    texts_.AddMessage(message);
    boxOpen = true;
  }
  void End() override {}

  bool boxOpen = false;

 private:
  Texts& texts_;
};

// One game: the range changed to each range, a right relationship and a
// formula on the first problem, wrong choices on the rest; then the results
// window with the score on a list that cannot be read, and the same list
// opened from the menu and cleared. The results window's boxes that such a
// game cannot bring up are taken from the window's own list of them.
void PlayAGame(Texts& texts, const std::string& unusablePath) {
  SystemFileSystem disk;
  ResultsStore store(disk, unusablePath);
  ClockRandom random;
  Program program(random, store);
  Collector screen(texts);
  Host host(program, screen);
  // Every box answered OK as soon as it shows.
  const auto settle = [&] {
    while (std::exchange(screen.boxOpen, false)) host.OnBoxAnswered(MessageAnswer::Ok);
  };
  using namespace game_window;
  host.Start();
  settle();
  for (int range : {1, 2, 3, 0}) {
    host.OnMenuChosen(WindowId::Game, kRangeItems + range);
    settle();
  }
  host.OnClick(WindowId::Game, kStartButton);
  for (int problem = 0; problem < kProblemCount; ++problem) {
    const Relationship right = program.game().problem()->relationship;
    if (problem == 0) {
      host.OnClick(WindowId::Game, kRelationshipButtons + static_cast<int>(right));
      const int box = right == Relationship::Inverse  ? kNumeratorBox
                      : right == Relationship::Linear ? kConstantBox
                                                      : kCoefficientBox;
      host.OnKeyPress(WindowId::Game, box, kEnterKey);
    } else {
      const Relationship wrong = right == Relationship::Proportional ? Relationship::Inverse
                                                                     : Relationship::Proportional;
      host.OnClick(WindowId::Game, kRelationshipButtons + static_cast<int>(wrong));
    }
    settle();
  }
  // The results window of the game end: its save fails, then the restart
  // message; then the list from the menu, cleared, which fails too.
  host.OnClick(WindowId::Results, results_window::kBackButton);
  settle();
  host.OnMenuChosen(WindowId::Game, kListItem);
  settle();
  host.OnClick(WindowId::Results, results_window::kClearButton);
  settle();
  for (MessageKind kind : {MessageKind::ListUnreadable, MessageKind::SaveUnconfirmed,
                           MessageKind::ClearUnconfirmed, MessageKind::PlaceGone,
                           MessageKind::SaveFailed, MessageKind::ClearFailed})
    texts.AddMessage(ResultsNotice(kind));
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
  // The second button of a box, as a Japanese desktop names it (the page
  // draws its boxes itself).
  texts.Add("キャンセル");
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
