// A message box the program asks for: what it says and which buttons it has.
// The front end shows it and reports the answer back with its kind.
#pragma once

#include <string>

namespace tavri {

// Which box it is, so that an answer finds the step that waits for it.
enum class MessageKind {
  StartNotice,   // "スタート": shown when the game window becomes the active window
  RangeChanged,  // "ｘの値の変更"
  Restart,       // "再スタート": after the results window at the end of a game
  ConfirmClear,  // "確認": before the stored lists are cleared
  SaveFailed,    // the list could not be stored
  ClearFailed,   // the list could not be cleared
  // The stored list could not be read as the results window opened.
  ListUnreadable,
  // Stored, or cleared, but the folder could not be flushed: not known to
  // be on the disk.
  SaveUnconfirmed,
  ClearUnconfirmed,
  // Others saved meanwhile: the score no longer makes a place in the list.
  PlaceGone,
};

enum class MessageIcon { Exclamation, Question };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

struct Message {
  MessageKind kind = MessageKind::StartNotice;
  std::string title;
  std::string text;  // UTF-8; a line break is a carriage return (13)
  MessageIcon icon = MessageIcon::Exclamation;
  MessageButtons buttons = MessageButtons::Ok;
  int defaultButton = 0;  // 0 = the first button, 1 = the second

  bool operator==(const Message&) const = default;
};

// A notice: exclamation icon, a single OK button.
Message Notice(MessageKind kind, std::string title, std::string text);

}  // namespace tavri
