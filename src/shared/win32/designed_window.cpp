#include "shared/win32/designed_window.h"

#include <commctrl.h>

#include <algorithm>

#include "shared/design_units.h"
#include "shared/win32/design_fonts.h"
#include "shared/win32/screen_dpi.h"
#include "shared/win32/wide_text.h"

namespace tavri::win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"TavriDesignedWindow";
constexpr int kControlIdBase = 1000;
constexpr int kMenuIdBase = 5000;
// Posted to itself on activation, so that the report comes once the system
// has finished switching windows (never inside DestroyWindow or ShowWindow).
constexpr UINT kReportActivation = WM_APP + 2;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_CLIPCHILDREN;

void RegisterWindowClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  // The program's one icon; no window has one of its own.
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  if (!windowClass.hIcon) windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kWindowClass;
  registered = RegisterClassExW(&windowClass) != 0;
}

bool IsFocusable(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::TextBox;
}

}  // namespace

int DesignedWindow::MenuCommandId(int item) { return kMenuIdBase + item; }

DesignedWindow::DesignedWindow(WindowId id, const WindowDesign& design, WindowEvents& events,
                               FontCache& fonts)
    : id_(id), design_(design), events_(events), fonts_(fonts) {
  RegisterWindowClass(WindowProc);
  background_ = CreateSolidBrush(ColourOf(design_.back));
  CreateMenuBar();
  controls_.resize(design_.controls.size());
  CreateWindowExW(0, kWindowClass, Widen(design_.caption).c_str(), kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, 100, 100, nullptr, menu_, GetModuleHandleW(nullptr), this);
  dpi_ = DpiOf(window_);
  CreateControls();
  Layout(dpi_);
}

DesignedWindow::~DesignedWindow() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  for (ControlWindow& control : controls_)
    if (control.back) DeleteObject(control.back);
  DeleteObject(background_);
}

void DesignedWindow::CreateMenuBar() {
  if (design_.menus.empty()) return;
  menu_ = CreateMenu();
  menuChecked_.assign(design_.menus.size(), false);
  HMENU popup = nullptr;
  for (std::size_t i = 0; i < design_.menus.size(); ++i) {
    const MenuDesign& item = design_.menus[i];
    const std::wstring caption = WithoutAccessKeys(Widen(item.caption));
    if (item.level == MenuLevel::Top) {
      popup = CreatePopupMenu();
      AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    } else if (popup) {
      if (item.separator)
        AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
      else
        AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(MenuCommandId(static_cast<int>(i))),
                    caption.c_str());
    }
  }
}

// Top first: what takes the focus, in tab order (so the keyboard walks it in
// that order); then the lines, in front of the labels; then the labels; the
// frames at the back, behind the controls they hold.
std::vector<int> DesignedWindow::StackingOrder() const {
  std::vector<int> order(design_.controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  const auto layer = [this](int i) {
    const ControlDesign& control = design_.controls[static_cast<std::size_t>(i)];
    if (IsFocusable(control.kind)) return 0;
    if (control.kind == ControlKind::Line) return 1;
    if (control.kind == ControlKind::Label) return 2;
    return 3;
  };
  const auto tab = [this](int i) {
    const int index = design_.controls[static_cast<std::size_t>(i)].tabIndex;
    return index == kNoTabStop ? 1 << 20 : index;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    if (layer(a) != layer(b)) return layer(a) < layer(b);
    return layer(a) == 0 && tab(a) < tab(b);
  });
  return order;
}

namespace {

// A themed group box draws its caption in the theme's text colour, whatever
// WM_CTLCOLORSTATIC sets; the frame's caption has a colour of its own, so the
// frame alone is drawn unthemed. Looked up at run time: uxtheme.dll is there
// on every Windows, and the program then imports nothing more.
void DrawUnthemed(HWND control) {
  using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const SetWindowThemeFunction setWindowTheme = [] {
    HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
    FARPROC found = uxtheme ? GetProcAddress(uxtheme, "SetWindowTheme") : nullptr;
    return reinterpret_cast<SetWindowThemeFunction>(reinterpret_cast<void (*)()>(found));
  }();
  if (setWindowTheme) setWindowTheme(control, L"", L"");
}

}  // namespace

void DesignedWindow::CreateControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int i : StackingOrder()) {
    const ControlDesign& design = design_.controls[static_cast<std::size_t>(i)];
    ControlWindow& control = controls_[static_cast<std::size_t>(i)];
    const wchar_t* className = L"STATIC";
    // Siblings overlap (the frame holds buttons, lines cross labels): each
    // draws only where no sibling in front of it lies.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    std::wstring text = Widen(design.caption ? design.caption : "");
    switch (design.kind) {
      case ControlKind::Label:
        style |= SS_NOPREFIX | (design.align == Align::Centre  ? SS_CENTER
                                : design.align == Align::Right ? SS_RIGHT
                                                               : SS_LEFT);
        break;
      case ControlKind::Line:
        style |= SS_LEFT;
        text.clear();
        break;
      case ControlKind::Button:
        className = L"BUTTON";
        style |= BS_PUSHBUTTON;
        text = WithoutAccessKeys(text);
        break;
      case ControlKind::Frame:
        className = L"BUTTON";
        style |= BS_GROUPBOX;
        text = WithoutAccessKeys(text);
        break;
      case ControlKind::TextBox:
        className = L"EDIT";
        style |= ES_LEFT | ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    }
    if (design.tabIndex != kNoTabStop && IsFocusable(design.kind)) style |= WS_TABSTOP;
    control.handle =
        CreateWindowExW(exStyle, className, text.c_str(), style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + i)), instance,
                        nullptr);
    // Each new control goes behind the ones before it.
    SetWindowPos(control.handle, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::optional<Rgb> back = design.kind == ControlKind::Line ? design.fore : design.back;
    if (back) control.back = CreateSolidBrush(ColourOf(*back));
    if (design.fore) control.fore = ColourOf(*design.fore);
    if (design.kind == ControlKind::TextBox)
      SetWindowSubclass(control.handle, TextBoxProc, static_cast<UINT_PTR>(i),
                        reinterpret_cast<DWORD_PTR>(this));
    if (design.kind == ControlKind::Frame) {
      DrawUnthemed(control.handle);
      SetWindowSubclass(control.handle, FrameProc, static_cast<UINT_PTR>(i),
                        reinterpret_cast<DWORD_PTR>(this));
    }
  }
}

HWND DesignedWindow::Control(int control) const {
  if (control < 0 || control >= static_cast<int>(controls_.size())) return nullptr;
  return controls_[static_cast<std::size_t>(control)].handle;
}

HWND DesignedWindow::FindControl(std::string_view designName) const {
  for (std::size_t i = 0; i < design_.controls.size(); ++i)
    if (designName == design_.controls[i].designName) return controls_[i].handle;
  return nullptr;
}

std::optional<int> DesignedWindow::ControlOf(HWND control) const {
  if (!control) return std::nullopt;
  for (std::size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i].handle == control) return static_cast<int>(i);
  return std::nullopt;
}

bool DesignedWindow::IsButton(HWND control) const {
  const std::optional<int> row = ControlOf(control);
  return row && design_.controls[static_cast<std::size_t>(*row)].kind == ControlKind::Button;
}

bool DesignedWindow::IsTextBox(HWND control) const {
  const std::optional<int> row = ControlOf(control);
  return row && design_.controls[static_cast<std::size_t>(*row)].kind == ControlKind::TextBox;
}

HFONT DesignedWindow::FontOf(const ControlDesign& control, int widthPercent) const {
  if (control.points > 0) return fonts_.Get(control.points, control.bold, dpi_, widthPercent);
  return fonts_.Get(design_.fontPoints, control.bold || design_.fontBold, dpi_, widthPercent);
}

RECT DesignedWindow::PlaceOf(int row) const {
  const ControlDesign& control = design_.controls[static_cast<std::size_t>(row)];
  const auto px = [this](int twips) { return TwipsToPixels(twips, dpi_); };
  int offsetX = 0, offsetY = 0;
  if (control.container != kOnClientArea) {
    const ControlDesign& frame = design_.controls[static_cast<std::size_t>(control.container)];
    offsetX = px(frame.left);
    offsetY = px(frame.top);
  }
  if (control.kind != ControlKind::Line) {
    const int left = offsetX + px(control.left), top = offsetY + px(control.top);
    return RECT{left, top, left + px(control.width), top + px(control.height)};
  }
  // A line's two ends; its width in pixels lies across it, centred.
  const int thickness = std::max(1, ScalePixels(control.lineWidth, dpi_));
  const int x1 = offsetX + px(control.left), y1 = offsetY + px(control.top);
  const int x2 = offsetX + px(control.width), y2 = offsetY + px(control.height);
  RECT place{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  if (place.bottom - place.top < thickness) {
    place.top -= thickness / 2;
    place.bottom = place.top + thickness;
  }
  if (place.right - place.left < thickness) {
    place.left -= thickness / 2;
    place.right = place.left + thickness;
  }
  return place;
}

void DesignedWindow::Layout(int dpi) {
  dpi_ = dpi;
  const SIZE client{TwipsToPixels(design_.clientWidth, dpi_),
                    TwipsToPixels(design_.clientHeight, dpi_)};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  SIZE outer = OuterSize(client, style, exStyle, menu_ != nullptr, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that needs two lines takes more than one line's height.
  RECT got;
  GetClientRect(window_, &got);
  if (got.right != client.cx || got.bottom != client.cy) {
    outer.cx += client.cx - got.right;
    outer.cy += client.cy - got.bottom;
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const int row = static_cast<int>(i);
    const RECT place = PlaceOf(row);
    SendMessageW(controls_[i].handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(FontOf(design_.controls[i])), FALSE);
    SetWindowPos(controls_[i].handle, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitToText(row);
    FitFontToBox(row);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

// Twips from an auto-sized label's left edge to the nearest button or box to
// its right that shares its row (or to the window's edge): the room its text
// has before it would run under that control.
int DesignedWindow::RoomToTheRight(int row) const {
  const ControlDesign& label = design_.controls[static_cast<std::size_t>(row)];
  int right = design_.clientWidth;
  for (const ControlDesign& other : design_.controls) {
    const bool input = other.kind == ControlKind::Button || other.kind == ControlKind::TextBox;
    if (!input || other.container != label.container || other.left <= label.left) continue;
    const bool sameRow =
        other.top < label.top + label.height && label.top < other.top + other.height;
    if (sameRow) right = std::min(right, other.left);
  }
  return right - label.left;
}

void DesignedWindow::FitToText(int row) {
  const ControlDesign& design = design_.controls[static_cast<std::size_t>(row)];
  if (!design.autoSize || design.kind != ControlKind::Label) return;
  HWND control = controls_[static_cast<std::size_t>(row)].handle;
  const std::wstring text = WindowText(control);
  // A stand-in face that draws wider than the design's would push the text
  // under the control beside it; it is narrowed just enough not to.
  const int room = DesignFaceIsStandIn() ? TwipsToPixels(RoomToTheRight(row), dpi_) : 0;
  HDC dc = GetDC(control);
  TEXTMETRICW metrics{};
  RECT needed{0, 0, 0, 0};
  int percent = 100;
  for (;; percent -= 2) {
    HGDIOBJ old = SelectObject(dc, FontOf(design, percent));
    GetTextMetricsW(dc, &metrics);
    needed = RECT{0, 0, 0, 0};
    if (!text.empty())
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    if (room <= 0 || needed.right - needed.left <= room || percent <= 50) break;
  }
  ReleaseDC(control, dc);
  HFONT font = FontOf(design, percent);
  if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != font)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const int height = std::max<int>(needed.bottom - needed.top, metrics.tmHeight);
  SetWindowPos(control, nullptr, 0, 0, needed.right - needed.left, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(control, nullptr, TRUE);
}

// The design's texts fit their boxes in the design face. When another face
// stands in and draws wider, a label's text is narrowed just enough to show
// whole inside its box (at most to half its width), its height unchanged.
void DesignedWindow::FitFontToBox(int row) {
  const ControlDesign& design = design_.controls[static_cast<std::size_t>(row)];
  if (design.kind != ControlKind::Label || design.autoSize || !DesignFaceIsStandIn()) return;
  HWND control = controls_[static_cast<std::size_t>(row)].handle;
  const std::wstring text = WindowText(control);
  RECT box;
  GetClientRect(control, &box);
  int percent = 100;
  if (!text.empty()) {
    HDC dc = GetDC(control);
    for (; percent > 50; percent -= 2) {
      HGDIOBJ old = SelectObject(dc, FontOf(design, percent));
      RECT needed{0, 0, box.right, 0};
      const UINT align = design.align == Align::Centre  ? DT_CENTER
                         : design.align == Align::Right ? DT_RIGHT
                                                        : DT_LEFT;
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | align);
      TEXTMETRICW metrics;
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, old);
      // One line never gets narrower for want of height, and the last line
      // may lose the bottom of its descent, as the design's own labels do.
      const bool oneLine = needed.bottom <= metrics.tmHeight;
      if (needed.right - needed.left <= box.right &&
          (oneLine || needed.bottom - metrics.tmDescent <= box.bottom))
        break;
    }
    ReleaseDC(control, dc);
  }
  HFONT font = FontOf(design, percent);
  if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void DesignedWindow::SetText(int row, const std::wstring& text) {
  const ControlDesign& design = design_.controls[static_cast<std::size_t>(row)];
  HWND control = controls_[static_cast<std::size_t>(row)].handle;
  const bool caption = design.kind == ControlKind::Button || design.kind == ControlKind::Frame;
  settingText_ = true;
  SetWindowTextW(control, caption ? WithoutAccessKeys(text).c_str() : text.c_str());
  settingText_ = false;
  if (design.kind == ControlKind::TextBox) {
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(control, EM_SETSEL, end, static_cast<LPARAM>(end));
  }
  FitToText(row);
  FitFontToBox(row);
}

void DesignedWindow::Draw(const WindowState& state) {
  HWND focusBefore = GetFocus();
  for (std::size_t i = 0; i < controls_.size() && i < state.controls.size(); ++i) {
    const ControlDesign& design = design_.controls[i];
    ControlWindow& control = controls_[i];
    const ControlState& wanted = state.controls[i];
    if (design.kind != ControlKind::Line) {
      const std::wstring text = Widen(wanted.text);
      // A box holds what the player typed, which no earlier state knew.
      const bool changed = design.kind == ControlKind::TextBox
                               ? WindowText(control.handle) != text
                               : !control.drawn || control.drawn->text != wanted.text;
      if (changed) SetText(static_cast<int>(i), text);
    }
    if (!control.drawn || control.drawn->visible != wanted.visible)
      ShowWindow(control.handle, wanted.visible ? SW_SHOWNA : SW_HIDE);
    if (!control.drawn || control.drawn->enabled != wanted.enabled)
      EnableWindow(control.handle, wanted.enabled);
    control.drawn = wanted;
  }
  if (menu_) {
    for (std::size_t i = 0; i < menuChecked_.size() && i < state.menuChecked.size(); ++i) {
      if (!design_.menus[i].checkable || menuChecked_[i] == state.menuChecked[i]) continue;
      menuChecked_[i] = state.menuChecked[i];
      CheckMenuItem(menu_, static_cast<UINT>(MenuCommandId(static_cast<int>(i))),
                    MF_BYCOMMAND | (menuChecked_[i] ? MF_CHECKED : MF_UNCHECKED));
    }
  }
  KeepFocusUsable(focusBefore);
}

// A control that was hidden or disabled while it had the focus hands it on
// to the next one in tab order, so the keyboard is never left on nothing.
void DesignedWindow::KeepFocusUsable(HWND focusBefore) {
  if (!ControlOf(focusBefore)) return;
  if (IsWindowVisible(focusBefore) && IsWindowEnabled(focusBefore)) return;
  HWND next = GetNextDlgTabItem(window_, focusBefore, FALSE);
  if (next && next != focusBefore && IsWindowVisible(next) && IsWindowEnabled(next))
    SetFocus(next);
  else
    SetFocus(window_);
}

void DesignedWindow::FocusControl(int control) {
  if (HWND target = Control(control)) SetFocus(target);
}

void DesignedWindow::FocusFirstInTabOrder() {
  int best = -1;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const ControlDesign& design = design_.controls[i];
    if (!IsFocusable(design.kind) || design.tabIndex == kNoTabStop) continue;
    if (!IsWindowVisible(controls_[i].handle) || !IsWindowEnabled(controls_[i].handle)) continue;
    if (best < 0 || design.tabIndex < design_.controls[static_cast<std::size_t>(best)].tabIndex)
      best = static_cast<int>(i);
  }
  SetFocus(best >= 0 ? controls_[static_cast<std::size_t>(best)].handle : window_);
}

std::optional<LRESULT> DesignedWindow::Colour(HDC dc, HWND control, bool textBox) {
  const std::optional<int> row = ControlOf(control);
  if (!row) return std::nullopt;
  const ControlWindow& colours = controls_[static_cast<std::size_t>(*row)];
  if (!colours.back) {
    if (colours.fore && !textBox) SetTextColor(dc, *colours.fore);
    return std::nullopt;
  }
  LOGBRUSH brush;
  GetObjectW(colours.back, sizeof brush, &brush);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, brush.lbColor);
  SetTextColor(dc, colours.fore.value_or(GetSysColor(COLOR_WINDOWTEXT)));
  return reinterpret_cast<LRESULT>(colours.back);
}

LRESULT CALLBACK DesignedWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<DesignedWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<DesignedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

// The handlers below may end with this window destroyed (the program closes
// it, or ends): nothing of the window is touched after passing on an event.
LRESULT DesignedWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (auto brush = Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                              message == WM_CTLCOLOREDIT))
        return *brush;
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (lParam == 0) {
        const int item = id - kMenuIdBase;
        if (HIWORD(wParam) == 0 && item >= 0 && item < static_cast<int>(design_.menus.size()))
          events_.OnMenuChosen(id_, item);
        return 0;
      }
      const std::optional<int> row = ControlOf(reinterpret_cast<HWND>(lParam));
      if (!row) return 0;
      const ControlKind kind = design_.controls[static_cast<std::size_t>(*row)].kind;
      if (kind == ControlKind::Button && HIWORD(wParam) == BN_CLICKED) {
        events_.OnClick(id_, *row);
      } else if (kind == ControlKind::TextBox && HIWORD(wParam) == EN_CHANGE && !settingText_) {
        events_.OnTextEdited(id_, *row, Narrow(WindowText(reinterpret_cast<HWND>(lParam))));
      }
      return 0;
    }
    case WM_CLOSE:
      // The program decides what the close box does; the window stays.
      events_.OnCloseBox(id_);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        savedFocus_ = ControlOf(focus) ? focus : nullptr;
        return 0;
      }
      PostMessageW(window_, kReportActivation, 0, 0);
      if (savedFocus_ && IsWindow(savedFocus_) && IsWindowVisible(savedFocus_) &&
          IsWindowEnabled(savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case kReportActivation:
      if (GetActiveWindow() == window_) events_.OnActivated(id_);
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout(LOWORD(wParam));
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK DesignedWindow::TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR subclass, DWORD_PTR owner) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, TextBoxProc, subclass);
  if (message == WM_CHAR) {
    auto* self = reinterpret_cast<DesignedWindow*>(owner);
    self->events_.OnKeyPress(self->id_, static_cast<int>(subclass), static_cast<int>(wParam));
    // Enter belongs to the game; a one-line box has no use for it and would
    // only ding. The key may also have closed the window the box was in.
    if (wParam == VK_RETURN || !IsWindow(box)) return 0;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// The frame is a group box filled with its own colour: the system draws its
// edge and caption over the fill.
LRESULT CALLBACK DesignedWindow::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR owner) {
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(frame, FrameProc, subclass);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      auto* self = reinterpret_cast<DesignedWindow*>(owner);
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(frame, &paint);
      RECT client;
      GetClientRect(frame, &client);
      if (HBRUSH fill = self->controls_[subclass].back) FillRect(dc, &client, fill);
      DefSubclassProc(frame, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
      EndPaint(frame, &paint);
      return 0;
    }
    default:
      break;
  }
  return DefSubclassProc(frame, message, wParam, lParam);
}

}  // namespace tavri::win32
