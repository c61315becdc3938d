#include "scenarios/player.h"

#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>

#include "results/core/code_page.h"
#include "scenarios/checks.h"
#include "scenarios/step_words.h"
#include "shared/utf8.h"
#include "support/record_bytes.h"
#include "support/scripted_random.h"

namespace tavri::scenario {

namespace {

// When a step may come: before `start`, at any time, or only once the
// program runs (every check does).
enum class When { BeforeStart, Anytime, Start, AfterStart };

struct StepKind {
  When when;
  Compile compile;
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
  const auto relationship =
      a.OneOf<Relationship>("the relationship", {{"proportional", Relationship::Proportional},
                                                 {"inverse", Relationship::Inverse},
                                                 {"linear", Relationship::Linear}});
  const int coefficient = a.Int("a", -18, 18);
  if (relationship == Relationship::Inverse ? coefficient == 0 || coefficient % 6 != 0
                                            : coefficient == 0 || std::abs(coefficient) > 4)
    throw std::invalid_argument(relationship == Relationship::Inverse
                                    ? "a of y = a / x is ±6, ±12 or ±18"
                                    : "a is -4 … 4, not 0");
  int constant = 1;
  if (relationship == Relationship::Linear) {
    constant = a.Int("b", -4, 4);
    if (constant == 0) throw std::invalid_argument("b is -4 … 4, not 0");
  }
  a.End();
  const std::vector<float> draws = test::ProblemDraws(relationship, coefficient, constant);
  return [=](Stage& s) { s.driver.QueueRandom(draws); };
}

Action Start(Args& a) {
  a.End();
  return [](Stage& s) {
    s.driver.SetResultsFile(s.resultsFile);
    s.driver.Start();
  };
}

// The player's acts on a window: "<act> <window>".
Compile OnWindow(void (Driver::*act)(WindowId)) {
  return [=](Args& a) -> Action {
    const WindowId window = a.Window();
    a.End();
    return [=](Stage& s) { (s.driver.*act)(window); };
  };
}

Action Click(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  a.End();
  return [=](Stage& s) { s.driver.Click(window, control); };
}

Action Menu(Args& a) {
  const int item = a.MenuItem();
  a.End();
  return [=](Stage& s) { s.driver.ChooseMenu(item); };
}

Action Type(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  const std::string text = a.Text("the text");
  a.End();
  return [=](Stage& s) { s.driver.Type(window, control, text); };
}

Action Keys(Args& a) {
  const std::string text = a.Text("the text");
  a.End();
  return [=](Stage& s) { s.driver.TypeIntoFocus(text); };
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

Action Tick(Args& a) {
  const int times = a.AtEnd() ? 1 : a.Int("the number of ticks", 1, 100);
  a.End();
  return [=](Stage& s) {
    for (int i = 0; i < times; ++i) s.driver.Tick();
  };
}

Action Answer(Args& a) {
  const MessageAnswer answer = a.OneOf<MessageAnswer>(
      "the answer", {{"ok", MessageAnswer::Ok}, {"cancel", MessageAnswer::Cancel}});
  a.End();
  return [=](Stage& s) {
    if (!s.driver.OpenBox()) throw StepFailed{"no box is open"};
    s.driver.AnswerBox(answer);
  };
}

Action SnapshotWhenShown(Args& a) {
  const WindowId shown = a.Window();
  const WindowId window = a.Window();
  const int control = a.Control(window);
  a.End();
  return [=](Stage& s) { s.driver.SnapshotWhenShown(shown, window, control); };
}

const std::map<std::string, StepKind, std::less<>>& Steps() {
  using W = When;
  static const std::map<std::string, StepKind, std::less<>> steps{
      {"results none",
       {W::BeforeStart,
        [](Args& a) -> Action {
          a.End();
          return [](Stage& s) { s.resultsFile.reset(); };
        }}},
      {"results entry", {W::BeforeStart, ResultsEntry}},
      {"problem", {W::Anytime, Problem}},
      {"start", {W::Start, Start}},
      {"click", {W::AfterStart, Click}},
      {"menu", {W::AfterStart, Menu}},
      {"type", {W::AfterStart, Type}},
      {"keys", {W::AfterStart, Keys}},
      {"press", {W::AfterStart, Press}},
      {"activate", {W::AfterStart, OnWindow(&Driver::Activate)}},
      {"close", {W::AfterStart, OnWindow(&Driver::CloseBox)}},
      {"tick", {W::AfterStart, Tick}},
      {"answer", {W::AfterStart, Answer}},
      {"snapshot-when-shown", {W::AfterStart, SnapshotWhenShown}},
  };
  return steps;
}

// The step a line holds, and where its own words begin.
std::pair<StepKind, std::size_t> KindOf(const PlayLine& line) {
  const std::vector<Word>& words = line.words;
  const bool two = words.size() > 1 && !words[0].quoted && !words[1].quoted;
  if (two && words[0].text == "expect")
    if (const auto check = Checks().find(words[1].text); check != Checks().end())
      return {StepKind{When::AfterStart, check->second}, 2};
  if (const auto step = Steps().find(words[0].text); !words[0].quoted && step != Steps().end())
    return {step->second, 1};
  if (two)
    if (const auto step = Steps().find(words[0].text + " " + words[1].text); step != Steps().end())
      return {step->second, 2};
  throw std::invalid_argument("no step begins '" + line.source + "'");
}

}  // namespace

std::vector<Scenario> ReadPlay(std::string_view text, const std::string& file) {
  std::vector<Scenario> scenarios;
  std::set<std::string> titles;
  bool started = false;
  for (const PlayLine& line : SplitPlay(text, file)) {
    try {
      if (line.words[0].text == "scenario" && !line.words[0].quoted) {
        Args args(line, 1);
        const std::string title = args.Text("the scenario's title");
        args.End();
        if (!titles.insert(title).second)
          throw std::invalid_argument("a second scenario of that title");
        scenarios.push_back({title, file, line.number, {}});
        started = false;
        continue;
      }
      if (scenarios.empty()) throw std::invalid_argument("a step before the first scenario");
      const auto [kind, first] = KindOf(line);
      if (kind.when == When::AfterStart && !started)
        throw std::invalid_argument("this step needs the program started");
      if ((kind.when == When::BeforeStart || kind.when == When::Start) && started)
        throw std::invalid_argument("this step comes before start");
      started = started || kind.when == When::Start;
      Args args(line, first);
      scenarios.back().steps.push_back({line.number, line.source, kind.compile(args)});
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
      failures.push_back({scenario.file, step.line, step.source,
                          std::string("the step could not be played: ") + error.what()});
      break;
    }
  }
  return failures;
}

}  // namespace tavri::scenario
