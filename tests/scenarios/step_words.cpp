#include "scenarios/step_words.h"

#include <charconv>
#include <stdexcept>

#include "scenarios/names.h"
#include "support/record_bytes.h"

namespace tavri::scenario {

const Word& Args::Next(const std::string& what) {
  if (at_ == words_.size()) throw std::invalid_argument(what + " is missing");
  return words_[at_++];
}

std::string Args::Bare(const std::string& what) {
  const Word& word = Next(what);
  if (word.quoted) throw std::invalid_argument(what + " is not a text in quotes");
  return word.text;
}

std::string Args::Text(const std::string& what) {
  const Word& word = Next(what);
  if (!word.quoted) throw std::invalid_argument(what + " must be a text in double quotes");
  return word.text;
}

int Args::Int(const std::string& what, int low, int high) {
  const std::string text = Bare(what);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw std::invalid_argument(what + " must be a number from " + std::to_string(low) + " to " +
                                std::to_string(high) + ", not '" + text + "'");
  return value;
}

bool Args::Accept(std::string_view word) {
  if (at_ == words_.size() || words_[at_].quoted || words_[at_].text != word) return false;
  ++at_;
  return true;
}

WindowId Args::Window() {
  const std::string name = Bare("a window");
  if (const std::optional<WindowId> window = WindowNamed(name)) return *window;
  throw std::invalid_argument("no window is called '" + name + "' (game, results, help)");
}

int Args::Control(WindowId window) {
  const std::string name = Bare("a control");
  if (const std::optional<int> control = ControlNamed(window, name)) return *control;
  throw std::invalid_argument("the " + WindowName(window) + " window has no control '" + name +
                              "'");
}

int Args::MenuItem() {
  const std::string name = Bare("a menu item");
  if (const std::optional<int> item = MenuItemNamed(name)) return *item;
  throw std::invalid_argument("the menu has no item '" + name + "'");
}

void Args::End() const {
  if (at_ < words_.size())
    throw std::invalid_argument("'" + words_[at_].text + "' is one word too many");
}

std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '\r' ? std::string("\\r") : std::string(1, c);
  return quoted + "\"";
}

std::string RecordOf(const std::string& nameBytes, int score) {
  if (nameBytes.size() > 10) throw std::invalid_argument("a name takes at most 10 bytes");
  return test::RecordBytes(nameBytes, static_cast<std::int16_t>(score));
}

}  // namespace tavri::scenario
