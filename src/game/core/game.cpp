// Start-up, Start, Exit, the other windows, and the routing of the window's
// events to the game's handlers.
#include "game/core/game.h"

namespace tavri {

using namespace game_window;

Game::Game(SessionState& session, RandomSource& random) : session_(session), random_(random) {
  random_.SeedFromClock();
  session_.range = XRange::MinusTwoToTwo;
}

const WindowDesign& Game::Design() const { return game_window::Design(); }

void Game::OnClick(int control) {
  if (control >= kRelationshipButtons && control < kRelationshipButtons + kRelationshipCount) {
    OnRelationshipChosen(static_cast<Relationship>(control - kRelationshipButtons));
    return;
  }
  switch (control) {
    case kStartButton: OnStart(); break;
    case kRangeButton: OnNextRange(); break;
    case kExitButton: OnExit(); break;
    case kHelpButton: OnOpenHelp(); break;
    case kTotalButton: OnOpenList(); break;
    default: break;
  }
}

void Game::OnMenuChosen(int item) {
  if (item >= kRangeItems && item < kRangeItems + kRangeCount) {
    OnRangeChosen(static_cast<XRange>(item - kRangeItems));
    return;
  }
  switch (item) {
    case kStartItem: OnStart(); break;
    case kListItem: OnOpenList(); break;
    case kExitItem: OnExit(); break;
    case kHelpItem: OnOpenHelp(); break;
    default: break;
  }
}

namespace {

std::optional<FormulaBox> BoxOf(int control) {
  switch (control) {
    case kCoefficientBox: return FormulaBox::Coefficient;
    case kNumeratorBox: return FormulaBox::Numerator;
    case kConstantBox: return FormulaBox::Constant;
    default: return std::nullopt;
  }
}

}  // namespace

void Game::OnTextEdited(int control, std::string_view text) {
  if (std::optional<FormulaBox> box = BoxOf(control))
    boxTexts_[static_cast<std::size_t>(*box)] = std::string(text);
}

void Game::OnKeyPress(int control, int keyAscii) {
  // Every key still reaches the box; only Enter judges.
  if (keyAscii != kEnterKey) return;
  if (std::optional<FormulaBox> box = BoxOf(control)) OnEnterInFormula(*box);
}

void Game::OnCloseBox() { OnExit(); }

void Game::ShowStartNotice() {
  Emit(ShowMessage{WindowId::Game, Notice(MessageKind::StartNotice, "スタート",
                                          "「スタート」ボタンをクリックすると，始まります。")});
}

void Game::OnStart() {
  for (auto& marks : marks_) marks.clear();
  problemNumber_ = 0;
  session_.scoreMissedBestFive = false;
  total_ = 0;
  ending_ = Ending::None;
  HideFormulaEntry();
  NewProblem();
}

void Game::HideFormulaEntry() {
  formula_ = FormulaForm::None;
  for (auto& text : boxTexts_) text.clear();
}

void Game::OnOpenList() { Emit(OpenResults{0, false}); }

void Game::OnOpenHelp() { Emit(OpenHelp{}); }

void Game::OnExit() { Emit(EndProgram{}); }

void Game::StartCountdown() {
  countdownRunning_ = true;
  Emit(tavri::StartCountdown{kCountdownIntervalMs});
}

void Game::StopCountdown() {
  countdownRunning_ = false;
  Emit(tavri::StopCountdown{});
}

void Game::OnMessageClosed(MessageKind kind, MessageAnswer) {
  // The restart message is the game end's last wait; the entry of the
  // fifth formula stays on screen until it is answered.
  if (kind == MessageKind::Restart && ending_ == Ending::RestartMessage) {
    ending_ = Ending::None;
    HideFormulaEntry();
  }
}

}  // namespace tavri
