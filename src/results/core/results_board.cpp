#include "results/core/results_board.h"

#include <utility>

#include "shared/conversions.h"
#include "shared/utf8.h"

namespace tavri {

using namespace results_window;

Message ResultsNotice(MessageKind kind, bool scoreLost) {
  std::string text;
  switch (kind) {
    case MessageKind::ListUnreadable:
      text = "成績一覧を読み込めませんでした。";
      if (scoreLost) text += "\r今回の成績は保存できません。";
      break;
    case MessageKind::SaveUnconfirmed:
      text = "成績を保存しましたが、ディスクへの書き込みを確認できませんでした。";
      break;
    case MessageKind::PlaceGone:
      text = "ほかの人の成績が先に保存されたため、今回の成績は５位までに入りませんでした。";
      break;
    case MessageKind::SaveFailed: text = "成績を保存できませんでした。"; break;
    case MessageKind::ClearUnconfirmed:
      text = "成績一覧を消去しましたが、ディスクへの書き込みを確認できませんでした。";
      break;
    case MessageKind::ClearFailed: text = "成績一覧を消去できませんでした。"; break;
    case MessageKind::ConfirmClear:
      return Message{MessageKind::ConfirmClear, "確認", "成績一覧の名前と時間を消去しますか？",
                     MessageIcon::Question, MessageButtons::OkCancel, 1};
    case MessageKind::StartNotice:
    case MessageKind::RangeChanged:
    case MessageKind::Restart: break;
  }
  return Notice(kind, "成績一覧", std::move(text));
}

ResultsBoard::ResultsBoard(SessionState& session, ResultsStore& store, std::int16_t score)
    : session_(session), store_(store), range_(session.range), score_(score) {
  const StoredLists stored = store_.Load();
  readable_ = stored.readable;
  list_ = stored.lists[static_cast<std::size_t>(RangeIndex(range_))];
  // A score of 0 is no score to place, and one that has already missed the
  // best five is not offered again.
  const bool placing = score_ != 0 && !session_.scoreMissedBestFive;
  if (placing)
    PlaceInBestOfRun(session_.bestOfRun[static_cast<std::size_t>(RangeIndex(range_))], score_);
  if (!readable_) {
    // Empty lists would look like a list with room at the top; a place
    // offered in them could not be stored.
    Ask(ResultsNotice(MessageKind::ListUnreadable, placing));
    return;
  }
  if (!placing) return;
  newPlace_ = PlaceInBestFive(list_, score_, ToUtf32(kNewEntryMarker));
  if (!newPlace_) session_.scoreMissedBestFive = true;
}

const WindowDesign& ResultsBoard::Design() const { return results_window::Design(); }

void ResultsBoard::OnClick(int control) {
  if (control == kBackButton) OnBack();
  if (control == kClearButton) OnClear();
}

void ResultsBoard::OnTextEdited(int control, std::string_view text) {
  if (control == kNameBox) OnNameTyped(text);
}

void ResultsBoard::OnKeyPress(int control, int keyAscii) {
  if (control == kNameBox && keyAscii == kEnterKey) OnBack();
}

void ResultsBoard::OnNameTyped(std::string_view name) {
  if (closing_ || !newPlace_) return;
  typedName_ = std::string(name);
}

void ResultsBoard::OnBack() {
  if (closing_) return;
  closing_ = true;
  if (!newPlace_) {
    Close();
    return;
  }
  // Silence would look exactly like a successful save: anything else is told.
  switch (store_.SaveEntry(range_, score_, ToUtf32(typedName_.value_or(std::string()))).stored) {
    case Stored::Yes:
      Close();
      break;
    case Stored::Unconfirmed:
      Ask(ResultsNotice(MessageKind::SaveUnconfirmed));
      break;
    case Stored::NoPlace:
      Ask(ResultsNotice(MessageKind::PlaceGone));
      break;
    case Stored::No:
      Ask(ResultsNotice(MessageKind::SaveFailed));
      break;
  }
}

void ResultsBoard::OnClear() {
  if (closing_) return;
  closing_ = true;
  Ask(ResultsNotice(MessageKind::ConfirmClear));
}

void ResultsBoard::Ask(Message message) {
  asked_ = message.kind;
  Emit(ShowMessage{WindowId::Results, std::move(message)});
}

void ResultsBoard::OnMessageClosed(MessageKind kind, MessageAnswer answer) {
  // A box over the results window may have been asked by a window that a
  // game end has since replaced; its answer is not for this one.
  if (asked_ != kind) return;
  asked_.reset();
  switch (kind) {
    case MessageKind::ConfirmClear: {
      // Cancel closes the window too; the new entry is lost either way.
      const Stored cleared = answer == MessageAnswer::Ok ? store_.ClearLists().stored : Stored::Yes;
      if (cleared == Stored::Unconfirmed) {
        Ask(ResultsNotice(MessageKind::ClearUnconfirmed));
        return;
      }
      if (cleared != Stored::Yes) {
        Ask(ResultsNotice(MessageKind::ClearFailed));
        return;
      }
      Close();
      break;
    }
    case MessageKind::SaveFailed:
    case MessageKind::ClearFailed:
    case MessageKind::SaveUnconfirmed:
    case MessageKind::ClearUnconfirmed:
    case MessageKind::PlaceGone:
      Close();
      break;
    default:
      break;
  }
}

void ResultsBoard::Close() { Emit(CloseWindow{WindowId::Results}); }

WindowState ResultsBoard::State() const {
  WindowState state = DesignState(Design());
  auto& c = state.controls;
  const auto text = [&c](int control, std::string value) {
    c[static_cast<std::size_t>(control)].text = std::move(value);
  };

  text(kRangeName, std::string(RangeName(range_)));
  for (int i = 0; i < kPlaces; ++i) {
    const ListEntry& entry = list_[static_cast<std::size_t>(i)];
    text(kPlaceNumbers + i, SignedText(i + 1));
    text(kNames + i, DisplayName(entry.name));
    text(kScores + i, PlainText(entry.score));
  }
  const auto& best = session_.bestOfRun[static_cast<std::size_t>(RangeIndex(range_))];
  for (int i = 0; i < kBestOfRunPlaces; ++i) {
    // The first place keeps its number as drawn up, without the sign blank.
    if (i > 0) text(kRunPlaceNumbers + i, SignedText(i + 1));
    text(kRunScores + i, PlainText(best[static_cast<std::size_t>(i)]));
  }
  text(kThisGameScore, SignedText(score_));

  const int place = newPlace_.value_or(0);
  text(kPrompt, SignedText(place + 1) + "番です。名前を入力して下さい。");
  c[kPrompt].visible = newPlace_.has_value();
  c[kNameBox].visible = newPlace_.has_value();
  if (newPlace_) {
    // What is typed shows in the list at once, exactly as typed.
    text(kNames + place, typedName_.value_or(std::string(kNewEntryMarker)));
    text(kNameBox, typedName_.value_or(std::string()));
  }
  return state;
}

}  // namespace tavri
