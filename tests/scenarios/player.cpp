#include "scenarios/player.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <utility>

#include "results/core/code_page.h"
#include "scenarios/names.h"
#include "shared/utf8.h"
#include "support/record_bytes.h"
#include "support/scripted_random.h"

namespace tavri::scenario {

// What a scenario plays on, and what it found.
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
  std::optional<std::string> resultsFile;

 private:
  std::vector<Failure>& failures_;
};

namespace {

using Action = std::function<void(Stage&)>;

// A step that cannot be taken: the scenario ends there.
struct StepFailed {
  std::string what;
};

std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\r' ? std::string("\\r") : std::string(1, c);
  return quoted + "\"";
}

// --- Reading a step's words ------------------------------------------------------------

class Args {
 public:
  Args(const PlayLine& line, std::size_t first) : words_(line.words), at_(first) {}

  std::string Bare(const std::string& what) {
    const Word& word = Next(what);
    if (word.quoted) throw std::invalid_argument(what + " is not a text in quotes");
    return word.text;
  }
  std::string Text(const std::string& what) {
    const Word& word = Next(what);
    if (!word.quoted) throw std::invalid_argument(what + " must be a text in double quotes");
    return word.text;
  }
  bool NextIsText() const { return at_ < words_.size() && words_[at_].quoted; }
  bool AtEnd() const { return at_ == words_.size(); }
  int Int(const std::string& what, int low, int high) {
    const std::string text = Bare(what);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
      throw std::invalid_argument(what + " must be a number from " + std::to_string(low) + " to " +
                                  std::to_string(high) + ", not '" + text + "'");
    return value;
  }
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
  bool Accept(std::string_view word) {
    if (at_ == words_.size() || words_[at_].quoted || words_[at_].text != word) return false;
    ++at_;
    return true;
  }
  WindowId Window() {
    const std::string name = Bare("a window");
    if (const std::optional<WindowId> window = WindowNamed(name)) return *window;
    throw std::invalid_argument("no window is called '" + name + "' (game, results, help)");
  }
  int Control(WindowId window) {
    const std::string name = Bare("a control");
    if (const std::optional<int> control = ControlNamed(window, name)) return *control;
    throw std::invalid_argument("the " + WindowName(window) + " window has no control '" + name + "'");
  }
  int MenuItem() {
    const std::string name = Bare("a menu item");
    if (const std::optional<int> item = MenuItemNamed(name)) return *item;
    throw std::invalid_argument("the menu has no item '" + name + "'");
  }
  void End() const {
    if (at_ < words_.size()) throw std::invalid_argument("'" + words_[at_].text + "' is one word too many");
  }

 private:
  const Word& Next(const std::string& what) {
    if (at_ == words_.size()) throw std::invalid_argument(what + " is missing");
    return words_[at_++];
  }

  const std::vector<Word>& words_;
  std::size_t at_;
};

// --- What the screen shows, written out for a failed check ---------------------------

std::string Describe(const PixelRect& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.width) + " " + std::to_string(rect.height);
}

std::string Describe(const BoxSeen& box) {
  return "the box " + Quote(box.title) + " " + Quote(box.text) +
         (box.icon == MessageIcon::Question ? " question" : " exclamation") +
         (box.buttons == MessageButtons::OkCancel ? " ok-cancel" : " ok") + " default-" +
         std::to_string(box.defaultButton + 1) + " over " + WindowName(box.owner) + " is open";
}

std::string ActiveWindow(Driver& driver) {
  for (const Named& window : WindowNames())
    if (driver.Window(static_cast<WindowId>(window.id)).active)
      return "the active window is " + window.name;
  return "no window of the program is active";
}

// The control as it is, when its window exists.
std::optional<ControlSeen> Seen(Stage& s, WindowId window, int control) {
  if (s.driver.Window(window).exists) return s.driver.Control(window, control);
  s.Check(false, "the " + WindowName(window) + " window does not exist");
  return std::nullopt;
}

std::optional<WindowSeen> SeenWindow(Stage& s, WindowId window) {
  WindowSeen seen = s.driver.Window(window);
  if (seen.exists) return seen;
  s.Check(false, "the " + WindowName(window) + " window does not exist");
  return std::nullopt;
}

// The 12 bytes of a record: the name in code page 932 padded with blanks to
// 10 bytes, the score little-endian.
std::string RecordOf(const std::string& nameBytes, int score) {
  if (nameBytes.size() > 10) throw std::invalid_argument("a name takes at most 10 bytes");
  return test::RecordBytes(nameBytes, static_cast<std::int16_t>(score));
}

std::string Hex(std::string_view bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  std::size_t pos = 0;
  while (pos < hex.size()) {
    if (hex[pos] == ' ') {
      ++pos;
      continue;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.data() + pos, hex.data() + std::min(pos + 2, hex.size()), value, 16);
    if (error != std::errc() || end != hex.data() + std::min(pos + 2, hex.size()))
      throw std::invalid_argument("bytes are written as pairs of hex digits");
    bytes += static_cast<char>(value);
    pos += 2;
  }
  return bytes;
}

constexpr int kFileSize = 75 * 12;

// --- The steps -------------------------------------------------------------------------

enum class When { BeforeStart, Anytime, Start, AfterStart };

struct StepKind {
  When when;
  std::function<Action(Args&)> compile;
};

Action ResultsEntry(Args& a) {
  const int range = a.Int("the range", 0, 3);
  const int place = a.Int("the place", 1, 5);
  const std::string name = a.Text("the name");
  const std::string record = RecordOf(ToCp932(ToUtf32(name)), a.Int("the score", -32768, 32767));
  a.End();
  return [=](Stage& s) {
    if (!s.resultsFile) s.resultsFile = test::BlankRecords(75);
    s.resultsFile->replace(static_cast<std::size_t>((range * 5 + place - 1) * 12), 12, record);
  };
}

Action Problem(Args& a) {
  const auto relationship = a.OneOf<Relationship>(
      "the relationship", {{"proportional", Relationship::Proportional},
                           {"inverse", Relationship::Inverse},
                           {"linear", Relationship::Linear}});
  const int coefficient = a.Int("a", -18, 18);
  const bool inverse = relationship == Relationship::Inverse;
  if (inverse ? std::abs(coefficient) % 6 != 0 || coefficient == 0 : coefficient == 0 || std::abs(coefficient) > 4)
    throw std::invalid_argument(inverse ? "a of y = a / x is ±6, ±12 or ±18" : "a is -4 … 4, not 0");
  int constant = 1;
  if (relationship == Relationship::Linear) {
    constant = a.Int("b", -4, 4);
    if (constant == 0) throw std::invalid_argument("b is -4 … 4, not 0");
  }
  a.End();
  const std::vector<float> draws = test::ProblemDraws(relationship, coefficient, constant);
  return [=](Stage& s) { s.driver.QueueRandom(draws); };
}

Action Press(Args& a) {
  const Key key = a.OneOf<Key>("the key", {{"enter", Key::Enter},
                                           {"shift-enter", Key::ShiftEnter},
                                           {"ctrl-enter", Key::CtrlEnter},
                                           {"alt-enter", Key::AltEnter},
                                           {"keypad-enter", Key::KeypadEnter},
                                           {"tab", Key::Tab},
                                           {"shift-tab", Key::ShiftTab},
                                           {"space", Key::Space},
                                           {"escape", Key::Escape}});
  a.End();
  return [=](Stage& s) { s.driver.Press(key); };
}

Action ExpectBox(Args& a) {
  const std::string title = a.Text("the title");
  const std::optional<std::string> text = a.NextIsText() ? std::optional(a.Text("the text")) : std::nullopt;
  std::optional<MessageIcon> icon;
  if (a.Accept("exclamation")) icon = MessageIcon::Exclamation;
  if (a.Accept("question")) icon = MessageIcon::Question;
  std::optional<MessageButtons> buttons;
  if (a.Accept("ok")) buttons = MessageButtons::Ok;
  if (a.Accept("ok-cancel")) buttons = MessageButtons::OkCancel;
  const bool secondDefault = a.Accept("default-2");
  const std::optional<WindowId> owner = a.Accept("over") ? std::optional(a.Window()) : std::nullopt;
  a.End();
  return [=](Stage& s) {
    const std::optional<BoxSeen> box = s.driver.OpenBox();
    if (!box) return s.Check(false, "no box is open");
    s.Check(box->title == title && (!text || box->text == *text) && (!icon || box->icon == *icon) &&
                (!buttons || box->buttons == *buttons) && (!secondDefault || box->defaultButton == 1) &&
                (!owner || box->owner == *owner),
            Describe(*box));
  };
}

// "expect shown|hidden|enabled|disabled <window> <control>"
std::function<Action(Args&)> ExpectFlag(bool ControlSeen::*flag, bool wanted, std::string word) {
  return [=](Args& a) -> Action {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    a.End();
    return [=](Stage& s) {
      if (const std::optional<ControlSeen> seen = Seen(s, window, control))
        s.Check((*seen).*flag == wanted, "it is not " + word);
    };
  };
}

std::function<Action(Args&)> ExpectInput(bool wanted) {
  return [=](Args& a) -> Action {
    const WindowId window = a.Window();
    a.End();
    return [=](Stage& s) {
      if (const std::optional<WindowSeen> seen = SeenWindow(s, window))
        s.Check(seen->takesInput == wanted, wanted ? "it takes no input" : "it takes input");
    };
  };
}

std::function<Action(Args&)> ExpectChecked(bool wanted) {
  return [=](Args& a) -> Action {
    const int item = a.MenuItem();
    a.End();
    return [=](Stage& s) {
      s.Check(s.driver.MenuChecked(item) == wanted, wanted ? "it has no check mark" : "it has a check mark");
    };
  };
}

std::function<Action(Args&)> ExpectNarrowed(bool wanted) {
  return [=](Args& a) -> Action {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    a.End();
    return [=](Stage& s) {
      if (const std::optional<ControlSeen> seen = Seen(s, window, control))
        s.Check((seen->widthPercent < 100) == wanted,
                "its font is at " + std::to_string(seen->widthPercent) + " % of its width");
    };
  };
}

Action ExpectText(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  const std::string text = a.Text("the text");
  a.End();
  return [=](Stage& s) {
    if (const std::optional<ControlSeen> seen = Seen(s, window, control))
      s.Check(seen->text == text, "it shows " + Quote(seen->text));
  };
}

Action ExpectWindow(Args& a) {
  const WindowId window = a.Window();
  const std::string wanted = a.OneOf<std::string>("the state", {{"open", "open"}, {"hidden", "hidden"}, {"closed", "closed"}});
  a.End();
  return [=](Stage& s) {
    const WindowSeen seen = s.driver.Window(window);
    const std::string state = !seen.exists ? "closed" : seen.visible ? "open" : "hidden";
    s.Check(state == wanted, "it is " + state);
  };
}

Action ExpectActive(Args& a) {
  const WindowId window = a.Window();
  a.End();
  return [=](Stage& s) { s.Check(s.driver.Window(window).active, ActiveWindow(s.driver)); };
}

Action ExpectFocus(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  a.End();
  return [=](Stage& s) {
    const std::optional<int> focus = s.driver.Focus(window);
    s.Check(focus == control, focus ? "the focus is on " + ControlName(window, *focus)
                                    : "no control of the " + WindowName(window) + " window has the focus");
  };
}

Action ExpectOwner(Args& a) {
  const WindowId window = a.Window();
  const std::optional<WindowId> owner = a.Accept("none") ? std::nullopt : std::optional(a.Window());
  a.End();
  return [=](Stage& s) {
    if (const std::optional<WindowSeen> seen = SeenWindow(s, window))
      s.Check(seen->owner == owner, seen->owner ? "it is owned by " + WindowName(*seen->owner) : "it has no owner");
  };
}

// Centred within a pixel, unless that would leave the work area: then kept
// inside it, its top-left corner first.
Action ExpectCentred(Args& a) {
  const WindowId window = a.Window();
  if (!a.Accept("on")) throw std::invalid_argument("'on' is missing");
  const std::optional<WindowId> around = a.Accept("screen") ? std::nullopt : std::optional(a.Window());
  a.End();
  return [=](Stage& s) {
    const std::optional<WindowSeen> seen = SeenWindow(s, window);
    const std::optional<WindowSeen> other = around ? SeenWindow(s, *around) : std::nullopt;
    if (!seen || (around && !other)) return;
    const PixelRect area = s.driver.Screen().workArea;
    const PixelRect middle = other ? other->frame : area;
    const PixelRect& frame = seen->frame;
    const int left = std::max(area.left, std::min(middle.left + (middle.width - frame.width) / 2,
                                                  area.left + area.width - frame.width));
    const int top = std::max(area.top, std::min(middle.top + (middle.height - frame.height) / 2,
                                                 area.top + area.height - frame.height));
    s.Check(std::abs(frame.left - left) <= 1 && std::abs(frame.top - top) <= 1,
            "its frame is at " + Describe(frame) + ", centred it would start at " + std::to_string(left) +
                " " + std::to_string(top));
  };
}

Action ExpectInsideScreen(Args& a) {
  const WindowId window = a.Window();
  a.End();
  return [=](Stage& s) {
    const std::optional<WindowSeen> seen = SeenWindow(s, window);
    if (!seen) return;
    const PixelRect area = s.driver.Screen().workArea;
    const PixelRect& f = seen->frame;
    s.Check(f.left >= area.left && f.top >= area.top && f.left + f.width <= area.left + area.width &&
                f.top + f.height <= area.top + area.height,
            "its frame is at " + Describe(f) + ", the work area at " + Describe(area));
  };
}

// "expect rect <window> <control> l t w h" and "expect top-left <window> <control> l t"
std::function<Action(Args&)> ExpectPlace(bool size) {
  return [=](Args& a) -> Action {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    PixelRect rect{a.Int("left", -10000, 10000), a.Int("top", -10000, 10000), 0, 0};
    if (size) rect.width = a.Int("width", 0, 10000), rect.height = a.Int("height", 0, 10000);
    a.End();
    return [=](Stage& s) {
      const std::optional<ControlSeen> seen = Seen(s, window, control);
      if (!seen) return;
      const PixelRect& at = seen->rect;
      s.Check(at.left == rect.left && at.top == rect.top &&
                  (!size || (at.width == rect.width && at.height == rect.height)),
              "it is at " + Describe(at));
    };
  };
}

Action ExpectClient(Args& a) {
  const WindowId window = a.Window();
  const PixelSize size{a.Int("width", 0, 10000), a.Int("height", 0, 10000)};
  a.End();
  return [=](Stage& s) {
    if (const std::optional<WindowSeen> seen = SeenWindow(s, window))
      s.Check(seen->client == size, "its client area is " + std::to_string(seen->client.width) + " × " +
                                        std::to_string(seen->client.height));
  };
}

Action ExpectTimer(Args& a) {
  const bool running = a.OneOf<bool>("the timer", {{"running", true}, {"stopped", false}});
  a.End();
  return [=](Stage& s) {
    s.Check(s.driver.TimerRunning() == running, running ? "it is stopped" : "it is running");
  };
}

Action ExpectBeeps(Args& a) {
  const int beeps = a.Int("the number of beeps", 0, 1000);
  a.End();
  return [=](Stage& s) {
    const int heard = s.driver.Beeps();
    s.Check(heard == beeps, std::to_string(heard) + " beeps were heard");
  };
}

std::string FileShown(const std::optional<std::string>& file) {
  return file ? "the file has " + std::to_string(file->size()) + " bytes" : "there is no file";
}

Action ExpectFileNone(Args& a) {
  a.End();
  return [](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    s.Check(!file, FileShown(file));
  };
}

Action ExpectFileSize(Args& a) {
  const int size = a.Int("the size", 0, 1 << 20);
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    s.Check(file && file->size() == static_cast<std::size_t>(size), FileShown(file));
  };
}

// "expect record <n> "<name>" <score>" or "expect record <n> hex "<bytes>" <score>"
Action ExpectRecord(Args& a) {
  const int number = a.Int("the record", 1, 1000);
  const bool hex = a.Accept("hex");
  const std::string name = hex ? FromHex(a.Text("the name's bytes")) : ToCp932(ToUtf32(a.Text("the name")));
  const std::string record = RecordOf(name, a.Int("the score", -32768, 32767));
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    const std::size_t at = static_cast<std::size_t>(number - 1) * 12;
    if (!file || file->size() < at + 12) return s.Check(false, FileShown(file));
    const std::string held = file->substr(at, 12);
    s.Check(held == record, "it holds " + Hex(held) + ", not " + Hex(record));
  };
}

Action ExpectSnapshot(Args& a) {
  const std::string text = a.Text("the text");
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> kept = s.driver.Snapshot();
    s.Check(kept == text, kept ? "it showed " + Quote(*kept) : "the window has not been shown since");
  };
}

// Steps with nothing after their words.
std::function<Action(Args&)> Simple(Action action) {
  return [action = std::move(action)](Args& a) {
    a.End();
    return action;
  };
}

const std::map<std::string, StepKind, std::less<>>& Steps() {
  using W = When;
  static const std::map<std::string, StepKind, std::less<>> steps{
      // Before the start
      {"results none", {W::BeforeStart, Simple([](Stage& s) { s.resultsFile.reset(); })}},
      {"results entry", {W::BeforeStart, ResultsEntry}},
      {"problem", {W::Anytime, Problem}},
      {"start", {W::Start, Simple([](Stage& s) {
                   s.driver.SetResultsFile(s.resultsFile);
                   s.driver.Start();
                 })}},
      // The player
      {"click", {W::AfterStart, [](Args& a) -> Action {
                   const WindowId window = a.Window();
                   const int control = a.Control(window);
                   a.End();
                   return [=](Stage& s) { s.driver.Click(window, control); };
                 }}},
      {"menu", {W::AfterStart, [](Args& a) -> Action {
                  const int item = a.MenuItem();
                  a.End();
                  return [=](Stage& s) { s.driver.ChooseMenu(item); };
                }}},
      {"type", {W::AfterStart, [](Args& a) -> Action {
                  const WindowId window = a.Window();
                  const int control = a.Control(window);
                  const std::string text = a.Text("the text");
                  a.End();
                  return [=](Stage& s) { s.driver.Type(window, control, text); };
                }}},
      {"keys", {W::AfterStart, [](Args& a) -> Action {
                  const std::string text = a.Text("the text");
                  a.End();
                  return [=](Stage& s) { s.driver.TypeIntoFocus(text); };
                }}},
      {"press", {W::AfterStart, Press}},
      {"activate", {W::AfterStart, [](Args& a) -> Action {
                      const WindowId window = a.Window();
                      a.End();
                      return [=](Stage& s) { s.driver.Activate(window); };
                    }}},
      {"close", {W::AfterStart, [](Args& a) -> Action {
                   const WindowId window = a.Window();
                   a.End();
                   return [=](Stage& s) { s.driver.CloseBox(window); };
                 }}},
      {"tick", {W::AfterStart, [](Args& a) -> Action {
                  const int times = a.AtEnd() ? 1 : a.Int("the number of ticks", 1, 100);
                  a.End();
                  return [=](Stage& s) {
                    for (int i = 0; i < times; ++i) s.driver.Tick();
                  };
                }}},
      {"answer", {W::AfterStart, [](Args& a) -> Action {
                    const MessageAnswer answer = a.OneOf<MessageAnswer>(
                        "the answer", {{"ok", MessageAnswer::Ok}, {"cancel", MessageAnswer::Cancel}});
                    a.End();
                    return [=](Stage& s) {
                      if (!s.driver.OpenBox()) throw StepFailed{"no box is open"};
                      s.driver.AnswerBox(answer);
                    };
                  }}},
      {"snapshot-when-shown", {W::AfterStart, [](Args& a) -> Action {
                                 const WindowId shown = a.Window();
                                 const WindowId window = a.Window();
                                 const int control = a.Control(window);
                                 a.End();
                                 return [=](Stage& s) { s.driver.SnapshotWhenShown(shown, window, control); };
                               }}},
      // Checks
      {"expect box", {W::AfterStart, ExpectBox}},
      {"expect no-box", {W::AfterStart, Simple([](Stage& s) {
                           const std::optional<BoxSeen> box = s.driver.OpenBox();
                           s.Check(!box, box ? Describe(*box) : "");
                         })}},
      {"expect text", {W::AfterStart, ExpectText}},
      {"expect shown", {W::AfterStart, ExpectFlag(&ControlSeen::visible, true, "shown")}},
      {"expect hidden", {W::AfterStart, ExpectFlag(&ControlSeen::visible, false, "hidden")}},
      {"expect enabled", {W::AfterStart, ExpectFlag(&ControlSeen::enabled, true, "enabled")}},
      {"expect disabled", {W::AfterStart, ExpectFlag(&ControlSeen::enabled, false, "disabled")}},
      {"expect window", {W::AfterStart, ExpectWindow}},
      {"expect active", {W::AfterStart, ExpectActive}},
      {"expect blocked", {W::AfterStart, ExpectInput(false)}},
      {"expect usable", {W::AfterStart, ExpectInput(true)}},
      {"expect focus", {W::AfterStart, ExpectFocus}},
      {"expect checked", {W::AfterStart, ExpectChecked(true)}},
      {"expect unchecked", {W::AfterStart, ExpectChecked(false)}},
      {"expect timer", {W::AfterStart, ExpectTimer}},
      {"expect beeps", {W::AfterStart, ExpectBeeps}},
      {"expect owner", {W::AfterStart, ExpectOwner}},
      {"expect centred", {W::AfterStart, ExpectCentred}},
      {"expect inside-screen", {W::AfterStart, ExpectInsideScreen}},
      {"expect rect", {W::AfterStart, ExpectPlace(true)}},
      {"expect top-left", {W::AfterStart, ExpectPlace(false)}},
      {"expect client", {W::AfterStart, ExpectClient}},
      {"expect narrowed", {W::AfterStart, ExpectNarrowed(true)}},
      {"expect not-narrowed", {W::AfterStart, ExpectNarrowed(false)}},
      {"expect file", {W::AfterStart, [](Args& a) {
                         if (!a.Accept("none")) throw std::invalid_argument("'expect file' takes 'none'");
                         return ExpectFileNone(a);
                       }}},
      {"expect file-size", {W::AfterStart, ExpectFileSize}},
      {"expect record", {W::AfterStart, ExpectRecord}},
      {"expect snapshot", {W::AfterStart, ExpectSnapshot}},
  };
  return steps;
}

}  // namespace

std::vector<Scenario> ReadPlay(std::string_view text, const std::string& file) {
  std::vector<Scenario> scenarios;
  std::set<std::string> titles;
  bool started = false;
  for (const PlayLine& line : SplitPlay(text, file)) {
    try {
      const std::vector<Word>& words = line.words;
      if (words[0].text == "scenario" && !words[0].quoted) {
        Args args(line, 1);
        const std::string title = args.Text("the scenario's title");
        args.End();
        if (!titles.insert(title).second) throw std::invalid_argument("a second scenario of that title");
        scenarios.push_back({title, file, line.number, {}});
        started = false;
        continue;
      }
      if (scenarios.empty()) throw std::invalid_argument("a step before the first scenario");
      auto kind = Steps().find(words[0].text);
      std::size_t first = 1;
      if (kind == Steps().end() && words.size() > 1) {
        kind = Steps().find(words[0].text + " " + words[1].text);
        first = 2;
      }
      if (kind == Steps().end() || words[0].quoted)
        throw std::invalid_argument("no step begins '" + line.source + "'");
      const When when = kind->second.when;
      if (when == When::AfterStart && !started) throw std::invalid_argument("this step needs the program started");
      if ((when == When::BeforeStart || when == When::Start) && started)
        throw std::invalid_argument("this step comes before start");
      started = started || when == When::Start;
      Args args(line, first);
      scenarios.back().steps.push_back({line.number, line.source, kind->second.compile(args)});
    } catch (const std::invalid_argument& error) {
      throw PlayError(file + ":" + std::to_string(line.number) + ": " + error.what());
    }
  }
  return scenarios;
}

std::vector<Failure> Play(const Scenario& scenario, Driver& driver) {
  std::vector<Failure> failures;
  Stage stage(driver, failures);
  stage.file = scenario.file;
  for (const Step& step : scenario.steps) {
    stage.step = &step;
    try {
      step.action(stage);
    } catch (const StepFailed& failed) {
      failures.push_back({scenario.file, step.line, step.source, failed.what});
      break;
    } catch (const std::exception& error) {
      failures.push_back({scenario.file, step.line, step.source, std::string("the step could not be played: ") + error.what()});
      break;
    }
  }
  return failures;
}

}  // namespace tavri::scenario
