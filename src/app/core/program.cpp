#include "app/core/program.h"

#include <type_traits>

namespace tavri {

Program::Program(RandomSource& random, ResultsStore& store)
    : store_(store), game_(session_, random) {}

void Program::Start() {
  commands_.emplace_back(std::in_place_type<OpenWindow>, OpenWindow{WindowId::Game, false});
  Settle();
}

WindowModel* Program::Window(WindowId window) {
  switch (window) {
    case WindowId::Game: return &game_;
    case WindowId::Results: return results_.get();
    case WindowId::Help: return help_.get();
  }
  return nullptr;
}

void Program::OnClick(WindowId window, int control) {
  if (WindowModel* model = Window(window); model && !ended_) model->OnClick(control);
  Settle();
}

void Program::OnMenuChosen(WindowId window, int item) {
  if (WindowModel* model = Window(window); model && !ended_) model->OnMenuChosen(item);
  Settle();
}

void Program::OnTextEdited(WindowId window, int control, std::string_view text) {
  if (WindowModel* model = Window(window); model && !ended_) model->OnTextEdited(control, text);
  Settle();
}

void Program::OnKeyPress(WindowId window, int control, int keyAscii) {
  if (WindowModel* model = Window(window); model && !ended_) model->OnKeyPress(control, keyAscii);
  Settle();
}

void Program::OnCloseBox(WindowId window) {
  if (WindowModel* model = Window(window); model && !ended_) model->OnCloseBox();
  Settle();
}

void Program::OnMessageClosed(WindowId owner, MessageKind kind, MessageAnswer answer) {
  if (WindowModel* model = Window(owner); model && !ended_) model->OnMessageClosed(kind, answer);
  Settle();
}

void Program::OnCountdownTick() {
  if (!ended_) game_.OnCountdownTick();
  Settle();
}

void Program::OnWindowActivated(WindowId window) {
  // The first show of the game window, and every return to it from the
  // help or results window, tells the player how to begin.
  if (!ended_ && window == WindowId::Game) game_.ShowStartNotice();
  Settle();
}

void Program::Settle() {
  for (bool more = true; more;) {
    more = false;
    for (WindowId window : {WindowId::Game, WindowId::Results, WindowId::Help}) {
      WindowModel* model = Window(window);
      if (!model) continue;
      for (WindowOutput& output : model->TakeOutput()) {
        more = true;
        std::visit([this](auto& item) { Handle(std::move(item)); }, output);
      }
    }
  }
}

void Program::Handle(const Request& request) {
  if (ended_) return;
  if (const auto* results = std::get_if<OpenResults>(&request)) {
    OpenResultsWindow(*results);
    return;
  }
  // Created on the first opening and kept; only its close box destroys it.
  if (!help_) help_ = std::make_unique<HelpPage>();
  commands_.emplace_back(std::in_place_type<OpenWindow>, OpenWindow{WindowId::Help, false});
}

void Program::Handle(Command command) {
  if (ended_) return;
  if (const auto* close = std::get_if<CloseWindow>(&command)) {
    commands_.push_back(command);
    if (close->window == WindowId::Help) help_.reset();
    if (close->window == WindowId::Results) {
      // Whatever the closing window still had to say was said before it
      // asked to close.
      results_.reset();
      const bool atGameEnd = std::exchange(resultsAtGameEnd_, false);
      if (atGameEnd) game_.OnResultsClosed();
    }
    return;
  }
  if (std::holds_alternative<EndProgram>(command)) ended_ = true;
  commands_.push_back(std::move(command));
}

void Program::OpenResultsWindow(const OpenResults& request) {
  if (results_) {
    if (!request.atGameEnd) {
      // Already open: it only comes to the front.
      commands_.emplace_back(std::in_place_type<OpenWindow>,
                             OpenWindow{WindowId::Results, resultsAtGameEnd_});
      return;
    }
    // A list open only for looking holds no new entry; the game end's own
    // window takes its place, with the list as it is stored now.
    results_.reset();
    commands_.emplace_back(std::in_place_type<CloseWindow>, CloseWindow{WindowId::Results});
  }
  results_ = std::make_unique<ResultsBoard>(session_, store_, request.score);
  resultsAtGameEnd_ = request.atGameEnd;
  commands_.emplace_back(std::in_place_type<OpenWindow>,
                         OpenWindow{WindowId::Results, request.atGameEnd});
}

}  // namespace tavri
