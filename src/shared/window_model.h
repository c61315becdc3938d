// The one shape of every window's core: its design table, the state it
// shows, the events a front end forwards to it, and the commands it leaves
// for the front end. Control and menu ids are rows of the design table.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "shared/commands.h"
#include "shared/window_design.h"
#include "shared/window_state.h"

namespace tavri {

inline constexpr int kEnterKey = 13;

class WindowModel {
 public:
  virtual ~WindowModel() = default;

  virtual const WindowDesign& Design() const = 0;
  virtual WindowState State() const = 0;

  // A button was clicked (or pressed with Enter or Space while it had the
  // focus).
  virtual void OnClick(int /*control*/) {}
  virtual void OnMenuChosen(int /*item*/) {}
  // The player changed the text of a box; `text` is the whole new text.
  virtual void OnTextEdited(int /*control*/, std::string_view /*text*/) {}
  // A key was typed into a box: its character code, 13 for Enter. The key
  // still reaches the box.
  virtual void OnKeyPress(int /*control*/, int /*keyAscii*/) {}
  // The close box of the window's title bar.
  virtual void OnCloseBox() {}
  virtual void OnMessageClosed(MessageKind /*kind*/, MessageAnswer /*answer*/) {}

  // The commands left since the last call, in order.
  std::vector<Command> TakeCommands() { return std::exchange(commands_, {}); }

 protected:
  // Built in place: GCC 12 for Windows takes a moved variant holding a
  // message for uninitialised (a false alarm that -Werror turns into an error).
  template <typename C>
  void Emit(C&& command) {
    commands_.emplace_back(std::forward<C>(command));
  }

 private:
  std::vector<Command> commands_;
};

}  // namespace tavri
