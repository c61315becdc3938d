#include "shared/win32/designed_window.h"

#include <commctrl.h>

#include <algorithm>

#include "app/core/text_fitting.h"
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

COLORREF ColourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

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

bool Usable(HWND control) {
  return control && IsWindow(control) && IsWindowVisible(control) && IsWindowEnabled(control);
}

}  // namespace

int DesignedWindow::MenuCommandId(int item) { return kMenuIdBase + item; }

DesignedWindow::DesignedWindow(const WindowSetup& setup, HWND owner, Host& host, FontCache& fonts)
    : id_(setup.window), design_(*setup.design), host_(host), fonts_(fonts) {
  RegisterWindowClass(WindowProc);
  background_ = CreateSolidBrush(ColourOf(design_.back));
  CreateMenuBar();
  controls_.resize(design_.controls.size());
  dpi_ = setup.dpi;
  // Made at its size: resizing it, even hidden, is a round of messages and
  // of the window system's own work.
  const SIZE outer = OuterSize(ClientSize(), kWindowStyle, 0, menu_ != nullptr, dpi_);
  CreateWindowExW(0, kWindowClass, Widen(design_.caption).c_str(), kWindowStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, outer.cx, outer.cy, owner, menu_, GetModuleHandleW(nullptr), this);
  FitMenuBar(outer);
  CreateControls(setup.stacking);
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

// A control inside the frame is a child of the frame, as the frame's own
// painting must lie behind it. Each control is made where it belongs, in its
// font, with its design caption, shown and usable: the first Draw touches
// only what differs from that.
void DesignedWindow::CreateControls(const std::vector<int>& stacking) {
  // Back to front as given. Windows walks Tab through siblings from the
  // front, so the controls that take the focus (which never overlap) lie
  // front to back in the order they are given in: the first in front.
  std::vector<int> frontToBack(stacking.rbegin(), stacking.rend());
  std::vector<int> inputs;
  for (int row : stacking)
    if (IsFocusable(design_.controls[static_cast<std::size_t>(row)].kind)) inputs.push_back(row);
  auto input = inputs.begin();
  for (int& row : frontToBack)
    if (IsFocusable(design_.controls[static_cast<std::size_t>(row)].kind)) row = *input++;

  // A new child goes below its siblings, so each is made in that order:
  // those on the client area first, for a frame is there before what it
  // holds.
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (bool onClientArea : {true, false}) {
    HWND first = nullptr;
    for (int row : frontToBack) {
      const ControlDesign& design = design_.controls[static_cast<std::size_t>(row)];
      if ((design.container == kOnClientArea) != onClientArea) continue;
      ControlWindow& control = controls_[static_cast<std::size_t>(row)];
      const wchar_t* className = L"STATIC";
      // Siblings overlap (lines cross labels): each draws only where no
      // sibling in front of it lies.
      DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
      DWORD exStyle = 0;
      const char* caption = design.caption ? design.caption : "";
      std::wstring text = Widen(caption);
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
          // Tab and the arrow keys walk into the controls it holds.
          style |= BS_GROUPBOX | WS_CLIPCHILDREN;
          exStyle |= WS_EX_CONTROLPARENT;
          text = WithoutAccessKeys(text);
          break;
        case ControlKind::TextBox:
          className = L"EDIT";
          style |= ES_LEFT | ES_AUTOHSCROLL;
          exStyle |= WS_EX_CLIENTEDGE;
          break;
      }
      if (design.tabIndex != kNoTabStop && IsFocusable(design.kind)) style |= WS_TABSTOP;
      HWND parent = onClientArea ? window_
                                 : controls_[static_cast<std::size_t>(design.container)].handle;
      const RECT place = PlaceOf(row);
      control.handle = CreateWindowExW(
          exStyle, className, text.c_str(), style, place.left, place.top, place.right - place.left,
          place.bottom - place.top, parent,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlIdBase + row)), instance, nullptr);
      if (!first) first = control.handle;
      SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row, 100)), FALSE);
      control.drawn = ControlLook{design.kind == ControlKind::Line ? std::string() : caption,
                                  true, true, 100, std::nullopt};
      const std::optional<Rgb> back = design.kind == ControlKind::Line ? design.fore : design.back;
      if (back) control.back = CreateSolidBrush(ColourOf(*back));
      if (design.fore) control.fore = ColourOf(*design.fore);
      if (design.kind == ControlKind::TextBox)
        SetWindowSubclass(control.handle, TextBoxProc, static_cast<UINT_PTR>(row),
                          reinterpret_cast<DWORD_PTR>(this));
      if (design.kind == ControlKind::Frame) {
        DrawUnthemed(control.handle);
        SetWindowSubclass(control.handle, FrameProc, static_cast<UINT_PTR>(row),
                          reinterpret_cast<DWORD_PTR>(this));
      }
    }
    // Where a new child would go on top instead, the order is put right.
    if (first && GetWindow(first, GW_HWNDPREV))
      for (int row : frontToBack)
        if ((design_.controls[static_cast<std::size_t>(row)].container == kOnClientArea) ==
            onClientArea)
          SetWindowPos(Control(row), HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

HFONT DesignedWindow::FontOf(int row, int widthPercent) const {
  return fonts_.Get(
      DesignFontOf(design_, design_.controls[static_cast<std::size_t>(row)], dpi_, widthPercent));
}

// In its parent: the window's client area, or the frame that holds it.
RECT DesignedWindow::PlaceOf(int row) const {
  const ControlDesign& control = design_.controls[static_cast<std::size_t>(row)];
  const auto px = [this](int twips) { return TwipsToPixels(twips, dpi_); };
  if (control.kind != ControlKind::Line) {
    const int left = px(control.left), top = px(control.top);
    return RECT{left, top, left + px(control.width), top + px(control.height)};
  }
  // A line's two ends; its width in pixels lies across it, centred.
  const int thickness = std::max(1, ScalePixels(control.lineWidth, dpi_));
  const int x1 = px(control.left), y1 = px(control.top);
  const int x2 = px(control.width), y2 = px(control.height);
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

SIZE DesignedWindow::ClientSize() const {
  return SIZE{TwipsToPixels(design_.clientWidth, dpi_), TwipsToPixels(design_.clientHeight, dpi_)};
}

void DesignedWindow::SizeWindow() {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  const SIZE outer = OuterSize(ClientSize(), style, exStyle, menu_ != nullptr, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FitMenuBar(outer);
}

// A menu bar that needs two lines takes more than one line's height.
void DesignedWindow::FitMenuBar(SIZE outer) {
  const SIZE client = ClientSize();
  RECT got;
  GetClientRect(window_, &got);
  if (got.right == client.cx && got.bottom == client.cy) return;
  outer.cx += client.cx - got.right;
  outer.cy += client.cy - got.bottom;
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DesignedWindow::Layout(int dpi) {
  dpi_ = dpi;
  SizeWindow();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const int row = static_cast<int>(i);
    const RECT place = PlaceOf(row);
    SendMessageW(controls_[i].handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row, 100)),
                 FALSE);
    SetWindowPos(controls_[i].handle, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    controls_[i].drawn.reset();
  }
  InvalidateRect(window_, nullptr, TRUE);
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
}

void DesignedWindow::Draw(const WindowLook& look) {
  for (std::size_t i = 0; i < controls_.size() && i < look.controls.size(); ++i) {
    const ControlDesign& design = design_.controls[i];
    ControlWindow& control = controls_[i];
    const ControlLook& wanted = look.controls[i];
    const std::optional<ControlLook>& drawn = control.drawn;
    if (design.kind == ControlKind::Label && (!drawn || drawn->widthPercent != wanted.widthPercent))
      SendMessageW(control.handle, WM_SETFONT,
                   reinterpret_cast<WPARAM>(FontOf(static_cast<int>(i), wanted.widthPercent)), TRUE);
    if (wanted.size && (!drawn || drawn->size != wanted.size)) {
      SetWindowPos(control.handle, nullptr, 0, 0, wanted.size->width, wanted.size->height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(control.handle, nullptr, TRUE);
    }
    if (design.kind != ControlKind::Line) {
      const std::wstring text = Widen(wanted.text);
      // A box holds what the player typed, which no earlier look knew.
      const bool changed = design.kind == ControlKind::TextBox
                               ? WindowText(control.handle) != text
                               : !drawn || drawn->text != wanted.text;
      if (changed) SetText(static_cast<int>(i), text);
    }
    if (!drawn || drawn->visible != wanted.visible)
      ShowWindow(control.handle, wanted.visible ? SW_SHOWNA : SW_HIDE);
    if (!drawn || drawn->enabled != wanted.enabled) EnableWindow(control.handle, wanted.enabled);
    control.drawn = wanted;
  }
  for (std::size_t i = 0; menu_ && i < menuChecked_.size() && i < look.menuChecked.size(); ++i) {
    if (!design_.menus[i].checkable || menuChecked_[i] == look.menuChecked[i]) continue;
    menuChecked_[i] = look.menuChecked[i];
    CheckMenuItem(menu_, static_cast<UINT>(MenuCommandId(static_cast<int>(i))),
                  MF_BYCOMMAND | (menuChecked_[i] ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool DesignedWindow::HasKeyboard() const {
  return GetActiveWindow() == window_ && IsWindowEnabled(window_);
}

// While the window is not active, or takes no input, SetFocus would fail or
// activate it: the control gets the focus when the window is active again.
void DesignedWindow::Focus(int control) {
  HWND target = Control(control);
  if (!target) return;
  savedFocus_ = target;
  if (HasKeyboard()) SetFocus(target);
}

std::optional<int> DesignedWindow::FocusedControl() const {
  if (HasKeyboard())
    if (std::optional<int> focused = ControlOf(GetFocus())) return focused;
  return ControlOf(savedFocus_);
}

void DesignedWindow::SaveFocus() {
  HWND focus = GetFocus();
  if (ControlOf(focus)) savedFocus_ = focus;
}

void DesignedWindow::RestoreFocus() {
  if (Usable(savedFocus_) && ControlOf(savedFocus_)) SetFocus(savedFocus_);
}

void DesignedWindow::Activate() {
  if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
  if (!IsChild(window_, GetFocus())) RestoreFocus();
}

// Windows takes the focus from a window as it is disabled: it is kept for
// the window's next activation.
void DesignedWindow::SetInputEnabled(bool enabled) {
  if (!enabled) SaveFocus();
  EnableWindow(window_, enabled);
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
  if (message == WM_NCDESTROY && self) {
    // Gone with its owner, perhaps: nothing of it is touched again.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self = nullptr;
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

// The handlers below may end with this window destroyed (the host closes
// it, or ends): nothing of the window is touched after reporting an event.
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
          host_.OnMenuChosen(id_, item);
        return 0;
      }
      const std::optional<int> row = ControlOf(reinterpret_cast<HWND>(lParam));
      if (!row) return 0;
      const ControlKind kind = design_.controls[static_cast<std::size_t>(*row)].kind;
      if (kind == ControlKind::Button && HIWORD(wParam) == BN_CLICKED) {
        host_.OnClick(id_, *row);
      } else if (kind == ControlKind::TextBox && HIWORD(wParam) == EN_CHANGE && !settingText_) {
        host_.OnTextEdited(id_, *row, Narrow(WindowText(reinterpret_cast<HWND>(lParam))));
      }
      return 0;
    }
    case WM_CLOSE:
      // The host decides what the close box does; the window stays.
      host_.OnCloseBox(id_);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        SaveFocus();
        return 0;
      }
      PostMessageW(window_, kReportActivation, 0, 0);
      if (Usable(savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case kReportActivation:
      if (GetActiveWindow() == window_) host_.OnActivated(id_);
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout(LOWORD(wParam));
      host_.OnDpiChanged(id_, LOWORD(wParam));
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// Every character typed into a box is reported before the box gets it, and
// then the box gets it: Enter too (13; 10 with Ctrl, as Windows translates
// it). The report may have closed the window the box was in.
LRESULT CALLBACK DesignedWindow::TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR subclass, DWORD_PTR owner) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, TextBoxProc, subclass);
  if (message == WM_CHAR) {
    auto* self = reinterpret_cast<DesignedWindow*>(owner);
    self->host_.OnKeyPress(self->id_, static_cast<int>(subclass), static_cast<int>(wParam));
    if (!IsWindow(box)) return 0;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// The frame is a group box filled with its own colour: the system draws its
// edge and caption over the fill. What the controls inside it tell their
// parent is the window's to hear; a themed button that paints its parent's
// background behind itself gets the fill, and its own font back.
LRESULT CALLBACK DesignedWindow::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR owner) {
  auto* self = reinterpret_cast<DesignedWindow*>(owner);
  const auto paint = [&](HDC dc) {
    const int saved = SaveDC(dc);
    RECT client;
    GetClientRect(frame, &client);
    if (HBRUSH fill = self->controls_[subclass].back) FillRect(dc, &client, fill);
    DefSubclassProc(frame, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
  };
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(frame, FrameProc, subclass);
      break;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT painting;
      paint(BeginPaint(frame, &painting));
      EndPaint(frame, &painting);
      return 0;
    }
    default:
      break;
  }
  return DefSubclassProc(frame, message, wParam, lParam);
}

}  // namespace tavri::win32
