#include "app/win32/program_windows.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace tavri::win32 {

namespace {

constexpr std::array<WindowId, 3> kWindows{WindowId::Game, WindowId::Results, WindowId::Help};

}  // namespace

ProgramWindows::ProgramWindows(Program& program, FrontEndServices services)
    : program_(program), services_(std::move(services)) {
  services_.countdown.SetTickHandler([this] { OnCountdownTick(); });
}

ProgramWindows::~ProgramWindows() {
  ended_ = true;
  services_.countdown.Stop();
  services_.countdown.SetTickHandler(nullptr);
  for (auto& window : windows_) window.reset();
}

void ProgramWindows::Start() {
  program_.Start();
  Sync();
}

std::unique_ptr<DesignedWindow>& ProgramWindows::Slot(WindowId window) {
  return windows_[static_cast<std::size_t>(window)];
}

DesignedWindow* ProgramWindows::Window(WindowId window) const {
  return windows_[static_cast<std::size_t>(window)].get();
}

// --- Events --------------------------------------------------------------------

void ProgramWindows::OnClick(WindowId window, int control) {
  if (ended_) return;
  program_.OnClick(window, control);
  Sync();
}

void ProgramWindows::OnMenuChosen(WindowId window, int item) {
  if (ended_) return;
  program_.OnMenuChosen(window, item);
  Sync();
}

void ProgramWindows::OnTextEdited(WindowId window, int control, std::string_view text) {
  if (ended_) return;
  program_.OnTextEdited(window, control, text);
  Sync();
}

void ProgramWindows::OnKeyPress(WindowId window, int control, int key) {
  if (ended_) return;
  program_.OnKeyPress(window, control, key);
  Sync();
}

void ProgramWindows::OnCloseBox(WindowId window) {
  if (ended_) return;
  program_.OnCloseBox(window);
  Sync();
}

void ProgramWindows::OnActivated(WindowId window) {
  if (ended_) return;
  program_.OnWindowActivated(window);
  Sync();
}

void ProgramWindows::OnCountdownTick() {
  if (ended_) return;
  program_.OnCountdownTick();
  Sync();
}

// --- Drawing and commands ---------------------------------------------------------

// The screen shows every change before any command runs, so a message box
// or the results window opens over the window as it now is. A box's answer
// syncs again, inside this one, before the rest of these commands.
void ProgramWindows::Sync() {
  if (ended_) return;
  DrawAll();
  for (const Command& command : program_.TakeCommands()) {
    if (ended_) return;
    Carry(command);
  }
}

void ProgramWindows::DrawAll() {
  for (WindowId id : kWindows) {
    DesignedWindow* window = Window(id);
    WindowModel* model = program_.Window(id);
    if (window && model) window->Draw(model->State());
  }
}

void ProgramWindows::Carry(const Command& command) {
  std::visit(
      [this](const auto& c) {
        using T = std::decay_t<decltype(c)>;
        if constexpr (std::is_same_v<T, tavri::StartCountdown>) {
          services_.countdown.Start(c.intervalMs);
        } else if constexpr (std::is_same_v<T, tavri::StopCountdown>) {
          services_.countdown.Stop();
        } else if constexpr (std::is_same_v<T, tavri::Beep>) {
          if (services_.beep) services_.beep();
        } else if constexpr (std::is_same_v<T, MoveFocus>) {
          if (DesignedWindow* window = Window(c.window)) window->FocusControl(c.control);
        } else if constexpr (std::is_same_v<T, ShowMessage>) {
          DesignedWindow* owner = Window(c.owner);
          const MessageAnswer answer =
              services_.boxes.Show(owner ? owner->handle() : nullptr, c.message);
          if (ended_) return;
          program_.OnMessageClosed(c.owner, c.message.kind, answer);
          Sync();
        } else if constexpr (std::is_same_v<T, OpenWindow>) {
          Open(c);
        } else if constexpr (std::is_same_v<T, HideWindow>) {
          if (DesignedWindow* window = Window(c.window)) ShowWindow(window->handle(), SW_HIDE);
        } else if constexpr (std::is_same_v<T, CloseWindow>) {
          Close(c.window);
        } else if constexpr (std::is_same_v<T, EndProgram>) {
          EndAll();
        }
        // OpenResults and OpenHelp are settled inside the Program.
      },
      command);
}

void ProgramWindows::Open(const OpenWindow& open) {
  WindowModel* model = program_.Window(open.window);
  if (!model) return;
  std::unique_ptr<DesignedWindow>& slot = Slot(open.window);
  const bool created = !slot;
  if (created) {
    WindowEvents& events = *this;
    slot = std::make_unique<DesignedWindow>(open.window, model->Design(), events, fonts_);
    PlaceNewWindow(*slot);
    if (modal_ && *modal_ != open.window) EnableWindow(slot->handle(), FALSE);
  }
  DesignedWindow& window = *slot;
  window.Draw(model->State());
  if (open.modal) {
    // The others stay on screen but take no input until this one closes; no
    // loop of its own runs meanwhile.
    modal_ = open.window;
    SetOthersEnabled(open.window, false);
  }
  HWND handle = window.handle();
  ShowWindow(handle, IsIconic(handle) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(handle);
  SetActiveWindow(handle);
  if (created) window.FocusFirstInTabOrder();
}

void ProgramWindows::Close(WindowId id) {
  std::unique_ptr<DesignedWindow>& slot = Slot(id);
  if (!slot) return;
  // The others take input again before this one goes, so that the system
  // hands the activation to one of them.
  if (modal_ == id) {
    modal_.reset();
    SetOthersEnabled(id, true);
  }
  HWND handle = slot->handle();
  Bury(std::move(slot));
  DestroyWindow(handle);
}

void ProgramWindows::EndAll() {
  ended_ = true;
  services_.countdown.Stop();
  for (WindowId id : kWindows) {
    std::unique_ptr<DesignedWindow>& slot = Slot(id);
    if (!slot) continue;
    HWND handle = slot->handle();
    Bury(std::move(slot));
    DestroyWindow(handle);
  }
  PostQuitMessage(0);
}

void ProgramWindows::Bury(std::unique_ptr<DesignedWindow> window) {
  buried_.push_back(std::move(window));
}

void ProgramWindows::SetOthersEnabled(WindowId except, bool enabled) {
  for (WindowId id : kWindows)
    if (id != except && Window(id)) EnableWindow(Window(id)->handle(), enabled);
}

// The game window in the middle of its screen's work area; the others over
// the middle of the game window, kept on that screen.
void ProgramWindows::PlaceNewWindow(DesignedWindow& window) {
  RECT own;
  GetWindowRect(window.handle(), &own);
  const int width = own.right - own.left, height = own.bottom - own.top;
  DesignedWindow* game = window.id() == WindowId::Game ? nullptr : Window(WindowId::Game);
  HMONITOR monitor = MonitorFromWindow(game ? game->handle() : window.handle(),
                                       MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT work = info.rcWork;
  RECT around = work;
  if (game) GetWindowRect(game->handle(), &around);
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max<int>(work.left, std::min<int>(left, work.right - width));
  top = std::max<int>(work.top, std::min<int>(top, work.bottom - height));
  SetWindowPos(window.handle(), nullptr, left, top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- The message loop ---------------------------------------------------------------

bool ProgramWindows::HandleKeyboard(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  DesignedWindow* window = nullptr;
  for (WindowId id : kWindows)
    if (Window(id) && Window(id)->handle() == root) window = Window(id);
  if (!window) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    // No button is a default button: Enter clicks the one with the focus,
    // and reaches a text box as the character 13.
    if (window->IsButton(focus)) {
      SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    if (window->IsTextBox(focus)) return false;
  }
  // Tab and the arrow keys walk the controls; Escape and Enter elsewhere
  // come to nothing, for no control answers to the ids they send.
  return IsDialogMessageW(root, &message) != 0;
}

void ProgramWindows::Process(MSG& message) {
  buried_.clear();
  if (!HandleKeyboard(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int ProgramWindows::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Process(message);
  buried_.clear();
  return static_cast<int>(message.wParam);
}

}  // namespace tavri::win32
