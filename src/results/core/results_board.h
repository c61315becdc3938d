// The results window: the stored best five of the range, the best three of
// the run and this game's score; a score that reaches the best five gets a
// place and a box for the player's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "results/core/best_lists.h"
#include "results/core/results_store.h"
#include "results/core/results_window_design.h"
#include "shared/session_state.h"
#include "shared/window_model.h"

namespace tavri {

// The boxes the results window shows, by kind (`scoreLost`: the list that
// could not be read was to take this game's score).
Message ResultsNotice(MessageKind kind, bool scoreLost = false);

// Stands in the new entry until the player types a name.
inline constexpr std::string_view kNewEntryMarker = "ここです！";

class ResultsBoard : public WindowModel {
 public:
  // Reads the stored lists and places `score` (0: a list opened only to be
  // looked at; nothing is placed).
  ResultsBoard(SessionState& session, ResultsStore& store, std::int16_t score);

  const WindowDesign& Design() const override;
  WindowState State() const override;

  void OnClick(int control) override;
  void OnTextEdited(int control, std::string_view text) override;
  void OnKeyPress(int control, int keyAscii) override;
  // The close box loses nothing that was typed: it does what 戻る does.
  void OnCloseBox() override { OnBack(); }
  void OnMessageClosed(MessageKind kind, MessageAnswer answer) override;

  XRange range() const { return range_; }
  std::int16_t score() const { return score_; }
  // The list as shown, the new entry included.
  const BestFive& list() const { return list_; }
  // The new entry's place (0 for the first), when the score found one.
  std::optional<int> newPlace() const { return newPlace_; }
  // Once the window has asked to be closed, it does nothing more.
  bool closing() const { return closing_; }
  // False when the stored list could not be read: the window said so when
  // it opened, shows empty lists and offers no place.
  bool readable() const { return readable_; }

 private:
  // 戻る, and Enter in the name box: stores the new entry, if any, and
  // closes the window.
  void OnBack();
  // 初期化: asks, clears the stored lists on OK, and closes the window.
  void OnClear();
  void OnNameTyped(std::string_view name);

  void Close();
  // Shows a box and waits for its answer.
  void Ask(Message message);

  SessionState& session_;
  ResultsStore& store_;
  XRange range_;
  std::int16_t score_;
  BestFive list_{};
  bool readable_ = true;
  std::optional<int> newPlace_;
  std::optional<std::string> typedName_;  // nothing until the first change
  bool closing_ = false;
  std::optional<MessageKind> asked_;  // the box whose answer is awaited
};

}  // namespace tavri
