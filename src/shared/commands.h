// What the windows' models ask to be done once the windows' states are
// drawn: the countdown, the focus, message boxes, and opening and closing
// windows. Handlers never block and never wait for a window; a step that
// must wait (for a message box's answer, for the results window to close)
// runs when the answer is reported back.
#pragma once

#include <cstdint>
#include <variant>

#include "shared/message.h"

namespace tavri {

enum class WindowId { Game, Results, Help };

// Ticks every `intervalMs` from now on, a full period first, also when the
// countdown was already running.
struct StartCountdown {
  int intervalMs;
  bool operator==(const StartCountdown&) const = default;
};
struct StopCountdown {
  bool operator==(const StopCountdown&) const = default;
};
struct Beep {
  bool operator==(const Beep&) const = default;
};
struct MoveFocus {
  WindowId window;
  int control;
  bool operator==(const MoveFocus&) const = default;
};
// Shows the box over `owner` and waits for it; the answer goes back to the
// core with the message's kind.
struct ShowMessage {
  WindowId owner;
  Message message;
  bool operator==(const ShowMessage&) const = default;
};
// Builds the window if it does not exist yet (from its design table and
// state), shows it (modal: the other windows cannot be used meanwhile) and
// makes it the active window. Shown again, it only comes to the front.
struct OpenWindow {
  WindowId window;
  bool modal;
  bool operator==(const OpenWindow&) const = default;
};
// Hides the window; it is kept for the next opening.
struct HideWindow {
  WindowId window;
  bool operator==(const HideWindow&) const = default;
};
// Destroys the window without running anything of it.
struct CloseWindow {
  WindowId window;
  bool operator==(const CloseWindow&) const = default;
};
// Ends the program at once: every window goes, nothing is saved.
struct EndProgram {
  bool operator==(const EndProgram&) const = default;
};

// What the program carries out for a window; the host turns each into the
// front end's primitives. Every alternative must be handled where commands
// are carried out: a new one does not compile until it is.
using Command = std::variant<StartCountdown, StopCountdown, Beep, MoveFocus, ShowMessage,
                             OpenWindow, HideWindow, CloseWindow, EndProgram>;

// Asked by the game window of the program, which settles it between its
// windows; never reaches a front end. Open the results window, to place a
// finished game's score (`score`, at the end of a game; the window is then
// modal) or only to show the list (score 0).
struct OpenResults {
  std::int16_t score;
  bool atGameEnd;
  bool operator==(const OpenResults&) const = default;
};
// Asked by the game window of the program: open the help window.
struct OpenHelp {
  bool operator==(const OpenHelp&) const = default;
};

using Request = std::variant<OpenResults, OpenHelp>;

// What a window leaves, in the order it left it: a command, or a request
// to the program.
using WindowOutput = std::variant<Command, Request>;

}  // namespace tavri
