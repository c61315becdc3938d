#include "app/win32/windows_front_end.h"

#include <algorithm>
#include <utility>

#include "shared/win32/screen_dpi.h"
#include "shared/win32/wide_text.h"

namespace tavri::win32 {

namespace {

constexpr wchar_t kPostedClass[] = L"TavriFrontEndPosted";
// A box to show, and a box's answer: both taken from the thread's loop, so
// that the host is never on the stack while a box runs its loop, nor when
// an answer comes back.
constexpr UINT kShowBox = WM_APP + 10;
constexpr UINT kBoxAnswered = WM_APP + 11;

}  // namespace

WindowsFrontEnd::WindowsFrontEnd(FrontEndServices services) : services_(std::move(services)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW postedClass{};
  postedClass.lpfnWndProc = PostedProc;
  postedClass.hInstance = instance;
  postedClass.lpszClassName = kPostedClass;
  RegisterClassW(&postedClass);  // fails harmlessly when already registered
  posted_ = CreateWindowExW(0, kPostedClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                            nullptr);
  SetWindowLongPtrW(posted_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  services_.countdown.SetTickHandler([this] {
    if (host_ && !ended_) host_->OnTimerTick();
  });
}

WindowsFrontEnd::~WindowsFrontEnd() {
  ended_ = true;
  services_.countdown.Stop();
  services_.countdown.SetTickHandler(nullptr);
  for (auto& window : windows_) window.reset();
  buried_.clear();
  DestroyWindow(posted_);
  if (measuring_) DeleteDC(measuring_);
}

DesignedWindow* WindowsFrontEnd::Window(WindowId window) const {
  return windows_[static_cast<std::size_t>(window)].get();
}

DesignedWindow* WindowsFrontEnd::WindowOf(HWND handle) const {
  HWND root = handle ? GetAncestor(handle, GA_ROOT) : nullptr;
  for (const auto& window : windows_)
    if (window && root && window->handle() == root) return window.get();
  return nullptr;
}

// --- What the platform tells --------------------------------------------------------

ScreenInfo WindowsFrontEnd::Screen(std::optional<WindowId> window) {
  DesignedWindow* native = window ? Window(*window) : nullptr;
  HWND handle = native ? native->handle() : nullptr;
  HMONITOR monitor = handle ? MonitorFromWindow(handle, MONITOR_DEFAULTTONEAREST)
                            : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& work = info.rcWork;
  return ScreenInfo{PixelRect{work.left, work.top, work.right - work.left, work.bottom - work.top},
                    DpiOf(handle)};
}

// As a STATIC label draws its text: DrawTextW, broken at words when it wraps.
TextExtent WindowsFrontEnd::MeasureText(std::string_view text, const FontSpec& font,
                                        int wrapWidth) {
  // One memory device context for every measuring: the screen's own would
  // be fetched from the system for each.
  if (!measuring_) measuring_ = CreateCompatibleDC(nullptr);
  HDC dc = measuring_;
  HGDIOBJ old = SelectObject(dc, fonts_.Get(font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int lineHeight = std::max<int>(1, metrics.tmHeight);
  TextExtent extent{0, lineHeight, 1, metrics.tmDescent};
  const std::wstring wide = Widen(text);
  if (!wide.empty()) {
    RECT needed{0, 0, std::max(0, wrapWidth), 0};
    const UINT format =
        DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0u);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &needed, format);
    extent.width = needed.right - needed.left;
    extent.height = std::max<int>(needed.bottom - needed.top, lineHeight);
    extent.lines = std::max(1, extent.height / lineHeight);
  }
  SelectObject(dc, old);
  return extent;
}

PixelRect WindowsFrontEnd::Frame(WindowId window) {
  RECT outer{};
  if (DesignedWindow* native = Window(window)) GetWindowRect(native->handle(), &outer);
  return PixelRect{outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top};
}

std::optional<int> WindowsFrontEnd::FocusedControl(WindowId window) {
  DesignedWindow* native = Window(window);
  return native ? native->FocusedControl() : std::nullopt;
}

// --- Windows --------------------------------------------------------------------------

void WindowsFrontEnd::Build(const WindowSetup& setup) {
  if (Window(setup.window)) Bury(setup.window);
  DesignedWindow* owner = setup.owner ? Window(*setup.owner) : nullptr;
  windows_[static_cast<std::size_t>(setup.window)] =
      std::make_unique<DesignedWindow>(setup, owner ? owner->handle() : nullptr, *host_, fonts_);
}

void WindowsFrontEnd::Move(WindowId window, PixelPoint topLeft) {
  if (DesignedWindow* native = Window(window))
    SetWindowPos(native->handle(), nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowsFrontEnd::Draw(WindowId window, const WindowLook& look) {
  if (DesignedWindow* native = Window(window)) native->Draw(look);
}

void WindowsFrontEnd::Show(WindowId window) {
  if (DesignedWindow* native = Window(window))
    ShowWindow(native->handle(), IsIconic(native->handle()) ? SW_RESTORE : SW_SHOW);
}

void WindowsFrontEnd::Hide(WindowId window) {
  if (DesignedWindow* native = Window(window)) ShowWindow(native->handle(), SW_HIDE);
}

void WindowsFrontEnd::Destroy(WindowId window) {
  if (Window(window)) Bury(window);
}

void WindowsFrontEnd::Bury(WindowId window) {
  std::unique_ptr<DesignedWindow>& slot = windows_[static_cast<std::size_t>(window)];
  HWND handle = slot->handle();
  buried_.push_back(std::move(slot));
  if (handle) DestroyWindow(handle);
}

void WindowsFrontEnd::Activate(WindowId window) {
  if (DesignedWindow* native = Window(window)) native->Activate();
}

void WindowsFrontEnd::SetInputEnabled(WindowId window, bool enabled) {
  if (DesignedWindow* native = Window(window)) native->SetInputEnabled(enabled);
}

void WindowsFrontEnd::Focus(WindowId window, int control) {
  if (DesignedWindow* native = Window(window)) native->Focus(control);
}

// --- The rest of the platform ----------------------------------------------------------

void WindowsFrontEnd::Beep() {
  if (services_.beep) services_.beep();
}

void WindowsFrontEnd::ShowBox(WindowId owner, const Message& message) {
  waitingBoxes_.push_back(WaitingBox{owner, message});
  PostMessageW(posted_, kShowBox, 0, 0);
}

void WindowsFrontEnd::OpenWaitingBox() {
  if (waitingBoxes_.empty() || ended_) return;
  const WaitingBox box = std::move(waitingBoxes_.front());
  waitingBoxes_.pop_front();
  DesignedWindow* owner = Window(box.owner);
  services_.boxes.Show(owner ? owner->handle() : nullptr, box.message,
                       [posted = posted_](MessageAnswer answer) {
                         PostMessageW(posted, kBoxAnswered, static_cast<WPARAM>(answer), 0);
                       });
}

void WindowsFrontEnd::End() {
  ended_ = true;
  services_.countdown.Stop();
  waitingBoxes_.clear();
  // Owned windows first: the game window would take them along.
  for (WindowId window : {WindowId::Results, WindowId::Help, WindowId::Game})
    if (Window(window)) Bury(window);
  PostQuitMessage(0);
}

LRESULT CALLBACK WindowsFrontEnd::PostedProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  auto* self = reinterpret_cast<WindowsFrontEnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == kShowBox) {
    self->OpenWaitingBox();
    return 0;
  }
  if (self && message == kBoxAnswered) {
    if (self->host_ && !self->ended_) self->host_->OnBoxAnswered(static_cast<MessageAnswer>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- The message loop --------------------------------------------------------------------

bool WindowsFrontEnd::HandleKeyboard(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  DesignedWindow* window = WindowOf(message.hwnd);
  if (!window) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    // No button is a default button: Enter clicks the one with the focus
    // (Ctrl+Enter does not), and reaches a text box as the character 13
    // (10 with Ctrl).
    if (window->IsButton(focus)) {
      if (GetKeyState(VK_CONTROL) >= 0) SendMessageW(focus, BM_CLICK, 0, 0);
      return true;
    }
    if (window->IsTextBox(focus)) return false;
  }
  // Tab and the arrow keys walk the controls; Escape and Enter elsewhere
  // come to nothing, for no control answers to the ids they send.
  return IsDialogMessageW(window->handle(), &message) != 0;
}

void WindowsFrontEnd::Process(MSG& message) {
  buried_.clear();
  if (!HandleKeyboard(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int WindowsFrontEnd::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Process(message);
  buried_.clear();
  return static_cast<int>(message.wParam);
}

}  // namespace tavri::win32
