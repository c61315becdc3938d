// The one shape of every window's core: its design table, the state it
// shows, the events a front end forwards to it, and the commands it leaves
// for the host and the program. Control and menu ids are rows of the design
// table.
#pragma once

#include <string_view>
#include <type_traits>
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

  // What the window left since the last call, in order.
  std::vector<WindowOutput> TakeOutput() { return std::exchange(output_, {}); }

 protected:
  // Built in place: GCC 12 takes a whole variant moved out of a temporary of
  // one alternative for a read of the others' uninitialised bytes.
  template <typename Alternative>
  void Emit(Alternative command) {
    if constexpr (IsAlternative<Alternative, Request>::value)
      output_.emplace_back(std::in_place_type<Request>, std::in_place_type<Alternative>,
                           std::move(command));
    else
      output_.emplace_back(std::in_place_type<Command>, std::in_place_type<Alternative>,
                           std::move(command));
  }

 private:
  template <class T, class Variant>
  struct IsAlternative : std::false_type {};
  template <class T, class... Alternatives>
  struct IsAlternative<T, std::variant<Alternatives...>>
      : std::bool_constant<(std::is_same_v<T, Alternatives> || ...)> {};

  std::vector<WindowOutput> output_;
};

}  // namespace tavri
