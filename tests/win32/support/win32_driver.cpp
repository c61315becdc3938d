#include "support/win32_driver.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "scenarios/names.h"
#include "shared/win32/wide_text.h"

namespace tavri::test {

namespace {

// One driver plays at a time; the hook that watches windows being shown
// finds it here.
Win32Driver* watching = nullptr;

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) != 0;
}

// The text as the player reads it. A button, a frame, and a label without
// SS_NOPREFIX take "&" for an access key: "&&" draws as "&", a lone "&"
// not at all.
std::string AsRead(HWND control, ControlKind kind) {
  const std::wstring text = win32::WindowText(control);
  if (kind == ControlKind::Label && HasStyle(control, SS_NOPREFIX)) return win32::Narrow(text);
  if (kind != ControlKind::Label && kind != ControlKind::Button && kind != ControlKind::Frame)
    return win32::Narrow(text);
  std::wstring drawn;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == L'&' && at + 1 < text.size()) ++at;
    drawn += text[at];
  }
  return win32::Narrow(drawn);
}

}  // namespace

Win32Driver::Win32Driver() {
  program_.boxes.hold = true;
  watching = this;
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, WatchShowing, nullptr, GetCurrentThreadId());
}

Win32Driver::~Win32Driver() {
  UnhookWindowsHookEx(hook_);
  watching = nullptr;
}

void Win32Driver::SetResultsFile(const std::optional<std::string>& bytes) {
  const std::filesystem::path path(win32::Widen(program_.resultsPath));
  if (!bytes) {
    std::filesystem::remove(path);
    return;
  }
  std::ofstream(path, std::ios::binary) << *bytes;
}

std::optional<std::string> Win32Driver::ResultsFile() {
  std::ifstream file(std::filesystem::path(win32::Widen(program_.resultsPath)), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void Win32Driver::Start() {
  if (!program_.Start()) throw std::runtime_error("start: the game window did not come up");
  boxFocus_ = program_.boxes.shown.back().message.defaultButton;
}

// --- The player -------------------------------------------------------------------------

bool Win32Driver::Reaches(WindowId window, const char* act, bool mustBeActive) {
  HWND handle = program_.Handle(window);
  if (!handle || !IsWindowVisible(handle))
    throw std::logic_error(std::string(act) + ": the " + scenario::WindowName(window) +
                           " window is not open");
  if (program_.boxes.open() || !IsWindowEnabled(handle)) return false;
  if (mustBeActive && GetActiveWindow() != handle)
    throw std::logic_error(std::string(act) + ": the " + scenario::WindowName(window) +
                           " window is not the active one; a play activates it first");
  return true;
}

ControlKind Win32Driver::KindOf(WindowId window, int control) {
  return program_.Window(window)->design().controls[static_cast<std::size_t>(control)].kind;
}

bool Win32Driver::Usable(WindowId window, int control) {
  HWND root = program_.Handle(window);
  for (HWND at = program_.Control(window, control); at && at != root; at = GetParent(at))
    if (!HasStyle(at, WS_VISIBLE) || !IsWindowEnabled(at)) return false;
  return true;
}

void Win32Driver::Click(WindowId window, int control) {
  if (!Reaches(window, "click", true) || !Usable(window, control)) return;
  HWND target = program_.Control(window, control);
  if (KindOf(window, control) == ControlKind::Button)
    SendMessageW(target, BM_CLICK, 0, 0);  // the button takes the focus, then clicks
  else if (KindOf(window, control) == ControlKind::TextBox)
    SetFocus(target);
  program_.Pump();
}

void Win32Driver::ChooseMenu(int item) {
  if (!Reaches(WindowId::Game, "menu", true)) return;
  const MenuDesign& menu =
      program_.Window(WindowId::Game)->design().menus[static_cast<std::size_t>(item)];
  if (menu.level != MenuLevel::Item || menu.separator) return;
  program_.ChooseMenu(item);
}

void Win32Driver::Type(WindowId window, int control, const std::string& text) {
  if (!Reaches(window, "type", true)) return;
  if (KindOf(window, control) != ControlKind::TextBox || !Usable(window, control))
    throw std::logic_error(std::string("type: not a text box shown and enabled in the ") +
                           scenario::WindowName(window) + " window");
  SetFocus(program_.Control(window, control));
  TypeIntoFocus(text);
}

// Each character as the keyboard's translation delivers it: a WM_CHAR to
// the control with the focus, through the front end's loop step.
void Win32Driver::TypeIntoFocus(const std::string& text) {
  for (wchar_t character : win32::Widen(text)) {
    HWND focus = GetFocus();
    if (program_.boxes.open() || !focus) continue;
    MSG typed{focus, WM_CHAR, character, 1, 0, {}};
    program_.front->Process(typed);
    program_.Pump();
  }
}

void Win32Driver::Press(scenario::Key key) {
  using scenario::Key;
  if (program_.boxes.open()) return PressInBox(key);
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  if (!target) return;
  switch (key) {
    case Key::Enter: return program_.SendKey(target, VK_RETURN);
    case Key::ShiftEnter: return program_.SendKey(target, VK_RETURN, {VK_SHIFT});
    case Key::CtrlEnter: return program_.SendKey(target, VK_RETURN, {VK_CONTROL});
    case Key::AltEnter: return program_.SendKey(target, VK_RETURN, {VK_MENU});
    case Key::KeypadEnter: return program_.SendKey(target, VK_RETURN, {}, true);
    case Key::Tab: return program_.SendKey(target, VK_TAB);
    case Key::ShiftTab: return program_.SendKey(target, VK_TAB, {VK_SHIFT});
    case Key::Space: return program_.SendKey(target, VK_SPACE);
    case Key::Escape: return program_.SendKey(target, VK_ESCAPE);
  }
}

// The system's box takes the keys while it is open: Enter and Space press
// its focused button (the default one at first), Escape is Cancel (OK when
// it has one button), Tab moves between its buttons.
void Win32Driver::PressInBox(scenario::Key key) {
  using scenario::Key;
  const bool twoButtons = program_.boxes.shown.back().message.buttons == MessageButtons::OkCancel;
  if (twoButtons && (key == Key::Tab || key == Key::ShiftTab)) boxFocus_ = 1 - boxFocus_;
  if (key == Key::Enter || key == Key::ShiftEnter || key == Key::KeypadEnter || key == Key::Space)
    AnswerBox(boxFocus_ == 1 ? MessageAnswer::Cancel : MessageAnswer::Ok);
  else if (key == Key::Escape)
    AnswerBox(twoButtons ? MessageAnswer::Cancel : MessageAnswer::Ok);
}

void Win32Driver::Activate(WindowId window) {
  if (!Reaches(window, "activate", false)) return;
  HWND handle = program_.Handle(window);
  SetForegroundWindow(handle);
  SetActiveWindow(handle);
  program_.Pump();
}

void Win32Driver::CloseBox(WindowId window) {
  if (!Reaches(window, "close", true)) return;
  SendMessageW(program_.Handle(window), WM_SYSCOMMAND, SC_CLOSE, 0);
  program_.Pump();
}

void Win32Driver::Tick() {
  program_.countdown.TickNow();
  program_.Pump();
}

std::optional<scenario::BoxSeen> Win32Driver::OpenBox() {
  if (!program_.boxes.open()) return std::nullopt;
  const ShownBox& box = program_.boxes.shown.back();
  WindowId owner = WindowId::Game;
  if (win32::DesignedWindow* window = program_.front->WindowOf(box.owner)) owner = window->id();
  const Message& message = box.message;
  return scenario::BoxSeen{owner,        message.title,   message.text,
                           message.icon, message.buttons, message.defaultButton};
}

void Win32Driver::AnswerBox(MessageAnswer answer) {
  if (!program_.boxes.open()) throw std::logic_error("no box is open");
  program_.boxes.Answer(answer);
  program_.Pump();
  if (program_.boxes.open()) boxFocus_ = program_.boxes.shown.back().message.defaultButton;
}

// --- What the screen shows -----------------------------------------------------------------

scenario::WindowSeen Win32Driver::Window(WindowId window) {
  scenario::WindowSeen seen;
  HWND handle = program_.Handle(window);
  seen.exists = handle && IsWindow(handle);
  if (!seen.exists) return seen;
  seen.visible = IsWindowVisible(handle);
  seen.active = seen.visible && GetActiveWindow() == handle;
  seen.takesInput = IsWindowEnabled(handle);
  if (win32::DesignedWindow* owner = program_.front->WindowOf(GetWindow(handle, GW_OWNER)))
    seen.owner = owner->id();
  RECT frame, client;
  GetWindowRect(handle, &frame);
  GetClientRect(handle, &client);
  seen.frame = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
  seen.client = {client.right, client.bottom};
  return seen;
}

scenario::ControlSeen Win32Driver::Control(WindowId window, int control) {
  scenario::ControlSeen seen;
  HWND handle = program_.Control(window, control);
  if (!handle) return seen;
  seen.text = AsRead(handle, KindOf(window, control));
  HWND root = program_.Handle(window);
  seen.visible = true;
  for (HWND at = handle; at && at != root; at = GetParent(at))
    seen.visible = seen.visible && HasStyle(at, WS_VISIBLE);
  seen.enabled = IsWindowEnabled(handle);
  RECT place;
  GetWindowRect(handle, &place);
  MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&place), 2);
  seen.rect = {place.left, place.top, place.right - place.left, place.bottom - place.top};
  // A narrowed font has a width of its own: its share of the face's.
  const DrawnFont drawn = FontOf(handle);
  if (drawn.font.lfWidth != 0)
    seen.widthPercent =
        static_cast<int>(drawn.font.lfWidth * 100 / std::max<LONG>(1, drawn.fullWidth));
  return seen;
}

std::optional<int> Win32Driver::Focus(WindowId window) {
  HWND handle = program_.Handle(window);
  if (program_.boxes.open() || !handle || GetActiveWindow() != handle) return std::nullopt;
  return program_.Window(window)->ControlOf(GetFocus());
}

bool Win32Driver::MenuChecked(int item) {
  win32::DesignedWindow* game = program_.Window(WindowId::Game);
  if (!game || !game->menu()) return false;
  return (GetMenuState(game->menu(), static_cast<UINT>(win32::DesignedWindow::MenuCommandId(item)),
                       MF_BYCOMMAND) &
          MF_CHECKED) != 0;
}

void Win32Driver::SnapshotWhenShown(WindowId shown, WindowId window, int control) {
  watch_ = Watch{shown, window, control};
  snapshot_.reset();
}

// Sent as the window is shown, before anything else happens.
LRESULT CALLBACK Win32Driver::WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  Win32Driver* self = watching;
  if (code == HC_ACTION && self && self->watch_ && !self->snapshot_ &&
      sent.message == WM_SHOWWINDOW && sent.wParam &&
      sent.hwnd == self->program_.Handle(self->watch_->shown)) {
    const Watch& watch = *self->watch_;
    self->snapshot_ = self->Control(watch.window, watch.control).text;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace tavri::test
