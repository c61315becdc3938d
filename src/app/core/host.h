// The run of the program on a front end. Every event a front end sees comes
// here; the host lets it through to the program when the window may take
// input, draws every open window, and carries out the program's commands in
// order through the front end's primitives. It alone decides:
// - the one queue: a box holds the commands after it until its answer
//   comes back; the answer's own commands come first, as the rest of the
//   step that asked, then those that waited;
// - what a box or a modal window blocks: while a box is open no window of
//   the program takes input; while the results window of a game end is
//   open, only it does. The countdown goes on in both cases;
// - the active window: every window it opens or brings back is activated,
//   a box counts as the window it is shown over, and when the active window
//   hides or closes, the activation goes, once every command of the step is
//   carried out (a window replaced by another is no return), to the modal
//   window, else the game window. Each change is told to the program (the
//   "スタート" notice);
// - where a window opens (window_placement.h), which window owns the
//   results window, the stacking of controls and the first focus
//   (window_order.h), and how labels fit their text (text_fitting.h): a
//   label is fitted when it is shown with a text it was not fitted to.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/core/front_end.h"
#include "app/core/program.h"
#include "app/core/text_fitting.h"

namespace tavri {

class Host {
 public:
  Host(Program& program, FrontEnd& frontEnd);
  virtual ~Host() = default;
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Opens the game window.
  void Start();

  // --- Events a front end reports ------------------------------------------------
  // A button clicked, or pressed with Space or Enter while it had the focus.
  void OnClick(WindowId window, int control);
  void OnMenuChosen(WindowId window, int item);
  // The player changed a box's text (never a change Draw made).
  void OnTextEdited(WindowId window, int control, std::string_view text);
  // The character code of a key typed into a box (13 for Enter), before
  // the box gets it; the key still reaches the box.
  void OnKeyPress(WindowId window, int control, int keyAscii);
  // The title bar's close box; the window stays until the host says.
  void OnCloseBox(WindowId window);
  // The player made a window of the program the active one (a click, the
  // task bar, Alt+Tab). Reports for the window that is active already, for
  // a box, or while a box is open change nothing.
  void OnActivated(WindowId window);
  void OnBoxAnswered(MessageAnswer answer);
  void OnTimerTick();
  // The window moved to a screen of another DPI and was laid out anew.
  void OnDpiChanged(WindowId window, int dpi);

  // --- What it decided --------------------------------------------------------------
  bool ended() const { return ended_; }
  bool TakesInput(WindowId window) const;
  std::optional<WindowId> activeWindow() const { return active_; }
  // The owner of the box that is open.
  std::optional<WindowId> boxOwner() const { return box_ ? std::optional(box_->owner) : std::nullopt; }
  bool Built(WindowId window) const { return windows_[Index(window)].built; }
  bool Shown(WindowId window) const { return windows_[Index(window)].shown; }
  // What the window is drawn as now.
  WindowLook Look(WindowId window);

 protected:
  // Carries out one command through the front end.
  virtual void Carry(const Command& command);

 private:
  struct OpenBox {
    WindowId owner;
    MessageKind kind;
  };
  struct NativeWindow {
    bool built = false;
    bool shown = false;
    bool takesInput = true;
    int dpi = 96;
    // Drawn in a face that stands in for the design's.
    bool standIn = false;
    // Fitted texts of labels, by row: the text they were fitted to. A label
    // hidden since its text changed keeps its earlier fit.
    std::map<int, std::pair<std::string, TextFit>> fits;
    std::optional<WindowLook> drawn;
  };

  static std::size_t Index(WindowId window) { return static_cast<std::size_t>(window); }
  NativeWindow& Native(WindowId window) { return windows_[Index(window)]; }

  // Runs an event now, or after the one under way when a front end reports
  // it from inside a primitive; then carries out what is due.
  void Dispatch(const std::function<void()>& event);
  void Pump();
  void TakeCommands(bool first = false);
  void DrawAll();
  std::optional<int> FocusAfter(WindowId window, const WindowLook& next);
  void Open(const OpenWindow& open);
  void Build(WindowId window);
  void Hide(WindowId window);
  void Close(WindowId window);
  void ShowBox(const ShowMessage& show);
  void End();
  void UpdateInput();
  // Makes `window` active (through the front end) and tells the program
  // when that is a change.
  void SetActive(WindowId window);
  // After the active window went: the modal window, else the game window.
  void ActivateNext();
  bool Accepts(WindowId window) const;

  Program& program_;
  FrontEnd& front_;
  std::array<NativeWindow, 3> windows_{};
  std::deque<Command> queue_;
  std::optional<OpenBox> box_;
  std::optional<WindowId> modal_;
  std::optional<WindowId> active_;
  // The active window went and no other has taken its place yet.
  bool activationDue_ = false;
  std::deque<std::function<void()>> deferred_;
  bool busy_ = false;
  bool ended_ = false;
};

}  // namespace tavri
