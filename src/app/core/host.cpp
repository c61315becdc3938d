#include "app/core/host.h"

#include <utility>
#include <variant>
#include <vector>

#include "app/core/window_order.h"
#include "app/core/window_placement.h"

namespace tavri {

namespace {

constexpr std::array<WindowId, 3> kWindows{WindowId::Game, WindowId::Results, WindowId::Help};

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

Host::Host(Program& program, FrontEnd& frontEnd) : program_(program), front_(frontEnd) {}

void Host::Start() {
  Dispatch([this] { program_.Start(); });
}

// --- Events ----------------------------------------------------------------------------

void Host::Dispatch(const std::function<void()>& event) {
  if (ended_) return;
  // A front end may report an event from inside a primitive (an activation
  // while a window is shown): it waits for the one under way.
  if (busy_) {
    deferred_.push_back(event);
    return;
  }
  busy_ = true;
  event();
  Pump();
  while (!deferred_.empty() && !ended_) {
    const std::function<void()> next = std::move(deferred_.front());
    deferred_.pop_front();
    next();
    Pump();
  }
  deferred_.clear();
  busy_ = false;
}

bool Host::TakesInput(WindowId window) const {
  return !ended_ && !box_ && (!modal_ || *modal_ == window);
}

bool Host::Accepts(WindowId window) const {
  const NativeWindow& native = windows_[Index(window)];
  return native.built && native.shown && TakesInput(window);
}

void Host::OnClick(WindowId window, int control) {
  Dispatch([=, this] {
    if (Accepts(window)) program_.OnClick(window, control);
  });
}

void Host::OnMenuChosen(WindowId window, int item) {
  Dispatch([=, this] {
    if (Accepts(window)) program_.OnMenuChosen(window, item);
  });
}

void Host::OnTextEdited(WindowId window, int control, std::string_view text) {
  // What the box shows is what the model holds, also when the edit reaches
  // a window that takes no input just now (an input method's late commit).
  Dispatch([=, this, text = std::string(text)] {
    if (Built(window)) program_.OnTextEdited(window, control, text);
  });
}

void Host::OnKeyPress(WindowId window, int control, int keyAscii) {
  Dispatch([=, this] {
    if (Accepts(window)) program_.OnKeyPress(window, control, keyAscii);
  });
}

void Host::OnCloseBox(WindowId window) {
  Dispatch([=, this] {
    if (Accepts(window)) program_.OnCloseBox(window);
  });
}

void Host::OnActivated(WindowId window) {
  Dispatch([=, this] {
    // A box counts as the window it is shown over, so nothing changes while
    // one is open or when it closes; a blocked window cannot be activated.
    if (box_ || !Accepts(window) || active_ == window) return;
    activationDue_ = false;
    active_ = window;
    program_.OnWindowActivated(window);
  });
}

void Host::OnBoxAnswered(MessageAnswer answer) {
  Dispatch([=, this] {
    if (!box_) return;
    const OpenBox box = *box_;
    box_.reset();
    UpdateInput();
    if (active_ && Shown(*active_)) front_.Activate(*active_);
    program_.OnMessageClosed(box.owner, box.kind, answer);
    // The rest of the step that asked, before what waited behind the box.
    TakeCommands(true);
  });
}

void Host::OnTimerTick() {
  // The countdown goes on behind a box and a modal window; what a tick
  // leaves waits in the queue like anything else.
  Dispatch([this] { program_.OnCountdownTick(); });
}

void Host::OnDpiChanged(WindowId window, int dpi) {
  Dispatch([=, this] {
    if (!Built(window)) return;
    NativeWindow& native = Native(window);
    native.dpi = dpi;
    native.fits.clear();
    native.drawn.reset();
  });
}

// --- The queue --------------------------------------------------------------------------

void Host::TakeCommands(bool first) {
  std::vector<Command> taken = program_.TakeCommands();
  queue_.insert(first ? queue_.begin() : queue_.end(), std::make_move_iterator(taken.begin()),
                std::make_move_iterator(taken.end()));
}

// Every change is on the screen before the next command, so a box or a
// window opens over the windows as they now are.
void Host::Pump() {
  TakeCommands();
  DrawAll();
  while (!ended_ && !box_) {
    if (queue_.empty()) {
      if (!std::exchange(activationDue_, false)) break;
      ActivateNext();
    } else {
      const Command command = std::move(queue_.front());
      queue_.pop_front();
      Carry(command);
    }
    TakeCommands();
    if (!ended_) DrawAll();
  }
}

void Host::Carry(const Command& command) {
  std::visit(Overloaded{
                 [this](const OpenWindow& open) { Open(open); },
                 [this](const HideWindow& hide) { Hide(hide.window); },
                 [this](const CloseWindow& close) { Close(close.window); },
                 [this](const ShowMessage& show) { ShowBox(show); },
                 [this](const StartCountdown& start) { front_.StartTimer(start.intervalMs); },
                 [this](const StopCountdown&) { front_.StopTimer(); },
                 [this](const Beep&) { front_.Beep(); },
                 [this](const MoveFocus& move) {
                   if (Shown(move.window)) front_.Focus(move.window, move.control);
                 },
                 [this](const EndProgram&) { End(); },
             },
             command);
}

// --- Windows ----------------------------------------------------------------------------

WindowLook Host::Look(WindowId window) {
  WindowLook look;
  WindowModel* model = program_.Window(window);
  if (!model) return look;
  const WindowDesign& design = model->Design();
  WindowState state = model->State();
  NativeWindow& native = Native(window);
  look.controls.reserve(state.controls.size());
  for (std::size_t row = 0; row < state.controls.size() && row < design.controls.size(); ++row) {
    ControlState& control = state.controls[row];
    ControlLook drawn{std::move(control.text), control.visible, control.enabled, 100, std::nullopt};
    if (design.controls[row].kind == ControlKind::Label) {
      const int id = static_cast<int>(row);
      auto fitted = native.fits.find(id);
      // A hidden label is fitted once it is shown: measuring is most of the
      // cost of a first drawing, and half the game window's labels start
      // hidden. Until then it keeps what it was drawn with.
      const bool stale = fitted == native.fits.end() || fitted->second.first != drawn.text;
      if (stale && drawn.visible) {
        const TextFit fit = FitText(design, id, drawn.text, native.dpi, native.standIn, front_);
        fitted = native.fits.insert_or_assign(id, std::pair(drawn.text, fit)).first;
      }
      if (fitted != native.fits.end()) {
        drawn.widthPercent = fitted->second.second.widthPercent;
        drawn.size = fitted->second.second.size;
      }
    }
    look.controls.push_back(std::move(drawn));
  }
  look.menuChecked = std::move(state.menuChecked);
  return look;
}

void Host::DrawAll() {
  for (WindowId window : kWindows) {
    NativeWindow& native = Native(window);
    if (!native.built || !program_.Window(window)) continue;
    WindowLook look = Look(window);
    if (native.drawn && *native.drawn == look) continue;
    const std::optional<int> refocus = FocusAfter(window, look);
    front_.Draw(window, look);
    native.drawn = std::move(look);
    if (refocus) front_.Focus(window, *refocus);
  }
}

namespace {

WindowState Usability(const WindowLook& look) {
  WindowState state;
  for (const ControlLook& control : look.controls)
    state.controls.push_back(ControlState{{}, control.visible, control.enabled});
  return state;
}

}  // namespace

// The control with the focus is hidden or disabled by this drawing: the
// focus goes on to the next usable one, as the keyboard would find it.
std::optional<int> Host::FocusAfter(WindowId window, const WindowLook& next) {
  const NativeWindow& native = Native(window);
  if (!native.drawn) return std::nullopt;
  const WindowDesign& design = program_.Window(window)->Design();
  const WindowState before = Usability(*native.drawn), after = Usability(next);
  bool lost = false;
  for (std::size_t row = 0; row < design.controls.size() && !lost; ++row)
    lost = Usable(design, before, static_cast<int>(row)) && !Usable(design, after, static_cast<int>(row));
  if (!lost) return std::nullopt;
  const std::optional<int> focus = front_.FocusedControl(window);
  if (!focus || Usable(design, after, *focus) || !Usable(design, before, *focus)) return std::nullopt;
  return NextFocus(design, after, *focus);
}

void Host::Build(WindowId window) {
  WindowModel* model = program_.Window(window);
  const bool game = window == WindowId::Game;
  const ScreenInfo screen =
      front_.Screen(game || !Built(WindowId::Game) ? std::nullopt : std::optional(WindowId::Game));
  NativeWindow& native = Native(window);
  native = NativeWindow{};
  native.dpi = screen.dpi;
  native.standIn = !front_.DesignFaceInstalled();
  // The results window belongs to the game window: always in front of it,
  // no task-bar button of its own. The help window is a window of its own
  // that the game window may cover.
  std::optional<WindowId> owner;
  if (window == WindowId::Results) owner = WindowId::Game;
  front_.Build(WindowSetup{window, &model->Design(), screen.dpi, owner,
                           StackingOrder(model->Design())});
  native.built = true;
  const PixelRect frame = front_.Frame(window);
  std::optional<PixelRect> around;
  if (!game && Built(WindowId::Game)) around = front_.Frame(WindowId::Game);
  front_.Move(window, PlaceWindow(PixelSize{frame.width, frame.height}, around, screen.workArea));
  UpdateInput();
}

void Host::Open(const OpenWindow& open) {
  WindowModel* model = program_.Window(open.window);
  if (!model) return;
  const bool first = !Built(open.window);
  if (first) Build(open.window);
  if (open.modal) modal_ = open.window;
  UpdateInput();
  DrawAll();
  front_.Show(open.window);
  Native(open.window).shown = true;
  SetActive(open.window);
  if (first)
    if (const std::optional<int> focus = FirstFocus(model->Design(), model->State()))
      front_.Focus(open.window, *focus);
}

void Host::Hide(WindowId window) {
  if (!Shown(window)) return;
  front_.Hide(window);
  Native(window).shown = false;
  if (modal_ == window) modal_.reset();
  UpdateInput();
  if (active_ == window) {
    active_.reset();
    activationDue_ = true;
  }
}

void Host::Close(WindowId window) {
  if (!Built(window)) return;
  front_.Destroy(window);
  Native(window) = NativeWindow{};
  if (modal_ == window) modal_.reset();
  UpdateInput();
  if (active_ == window) {
    active_.reset();
    activationDue_ = true;
  }
}

void Host::SetActive(WindowId window) {
  activationDue_ = false;
  front_.Activate(window);
  if (active_ == window) return;
  active_ = window;
  program_.OnWindowActivated(window);
}

void Host::ActivateNext() {
  if (modal_ && Shown(*modal_))
    SetActive(*modal_);
  else if (Shown(WindowId::Game))
    SetActive(WindowId::Game);
  else
    active_.reset();
}

void Host::UpdateInput() {
  for (WindowId window : kWindows) {
    NativeWindow& native = Native(window);
    if (!native.built) continue;
    const bool takes = TakesInput(window);
    if (native.takesInput == takes) continue;
    native.takesInput = takes;
    front_.SetInputEnabled(window, takes);
  }
}

void Host::ShowBox(const ShowMessage& show) {
  box_ = OpenBox{show.owner, show.message.kind};
  UpdateInput();
  front_.ShowBox(show.owner, show.message);
}

void Host::End() {
  ended_ = true;
  queue_.clear();
  box_.reset();
  front_.StopTimer();
  front_.End();
}

}  // namespace tavri
