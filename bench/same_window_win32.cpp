// The yardstick for tavri.exe's start-up and memory: the game window as the
// player first sees it (its 47 controls in their places, the same face,
// sizes, colours, menu bar and stacking, the start notice over it), put on
// screen directly with the Windows API and built as tavri.exe is (static,
// -municode, the same resources and manifest): no game, no design table, no
// host, no results file. Everything it shows is written out below as
// tavri.exe draws it on a 96 dpi screen under Wine with IPAPGothic standing
// in for the design's face (bench/run.sh checks that the two pictures are
// the same, pixel for pixel). What tavri.exe takes beyond this is what its
// own code costs.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <map>
#include <tuple>

namespace {

enum Kind { kLabel, kLine, kFrame, kButton, kBox };
constexpr COLORREF kNone = CLR_INVALID;  // the system's colour
constexpr COLORREF Rgb(int rgb) { return RGB((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff); }

struct Control {
  Kind kind;
  bool inFrame;  // else on the client area
  int x, y, width, height;
  int pixels, width100, weight;  // the font: height, narrowed width (0: the face's own), weight
  COLORREF back, fore;
  bool centred, visible, enabled;
  const wchar_t* text;
};

constexpr COLORREF kRed = Rgb(0xff0000), kBlue = Rgb(0x0000ff), kNavy = Rgb(0x000080),
                   kWhite = Rgb(0xffffff), kYellow = Rgb(0xffff00), kGreen = Rgb(0x00ff00),
                   kVeryDarkGreen = Rgb(0x004000), kOrange = Rgb(0xff8000),
                   kDarkBlue = Rgb(0x0000c0);

// Front to back, as Windows stacks siblings (and walks Tab through them);
// the frame's own controls after the client area's.
constexpr Control kControls[] = {
    {kButton, false, 192, 336, 129, 57, 29, 0, FW_BOLD, kNone, kNone, true, true, true, L"スタート"},
    {kButton, false, 328, 360, 145, 33, 16, 0, FW_NORMAL, kNone, kNone, true, true, true, L"ｘの値：－２～２"},
    {kButton, false, 480, 352, 89, 41, 24, 0, FW_BOLD, kNone, kNone, true, true, true, L"終了"},
    {kButton, false, 8, 312, 177, 81, 64, 0, FW_NORMAL, kNone, kNone, true, true, true, L"得点"},
    {kButton, false, 88, 104, 57, 33, 18, 0, FW_NORMAL, kNone, kNone, true, true, true, L"説明"},
    {kFrame, false, 192, 144, 377, 185, 27, 0, FW_BOLD, kOrange, kDarkBlue, false, true, true, L"ｘとｙの関係は？"},
    {kLine, false, 206, 8, 5, 128, 18, 0, FW_NORMAL, kWhite, kNone, false, true, true, L""},
    {kLine, false, 152, 78, 416, 5, 18, 0, FW_NORMAL, kWhite, kNone, false, true, true, L""},
    {kLabel, false, 8, 144, 177, 161, 160, 0, FW_BOLD, kVeryDarkGreen, kGreen, false, true, true, L"点"},
    {kLabel, false, 496, 88, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 424, 88, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 352, 88, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 280, 88, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 208, 88, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 496, 24, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 424, 24, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 352, 24, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 280, 24, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 208, 24, 73, 49, 37, 0, FW_BOLD, kBlue, kWhite, true, true, true, L""},
    {kLabel, false, 208, 72, 361, 17, 18, 0, FW_NORMAL, kBlue, kNone, false, true, true, L""},
    {kLabel, false, 208, 8, 361, 17, 18, 0, FW_NORMAL, kBlue, kNone, false, true, true, L""},
    {kLabel, false, 152, 72, 57, 65, 64, 0, FW_BOLD, kBlue, kWhite, true, true, true, L"ｙ"},
    {kLabel, false, 152, 8, 57, 65, 64, 0, FW_BOLD, kBlue, kWhite, true, true, true, L"ｘ"},
    {kLabel, false, 32, 104, 49, 25, 21, 0, FW_BOLD, kYellow, kNone, false, true, true, L""},
    {kLabel, false, 32, 80, 49, 25, 21, 0, FW_BOLD, kYellow, kNone, false, true, true, L""},
    {kLabel, false, 32, 56, 49, 25, 21, 0, FW_BOLD, kYellow, kNone, false, true, true, L""},
    {kLabel, false, 32, 32, 49, 25, 21, 0, FW_BOLD, kYellow, kNone, false, true, true, L""},
    {kLabel, false, 32, 8, 49, 25, 21, 0, FW_BOLD, kYellow, kNone, false, true, true, L""},
    {kLabel, false, 8, 104, 17, 25, 27, 12, FW_BOLD, kNavy, kWhite, false, true, true, L"5"},
    {kLabel, false, 8, 80, 17, 25, 27, 12, FW_BOLD, kNavy, kWhite, false, true, true, L"4"},
    {kLabel, false, 8, 56, 17, 25, 27, 12, FW_BOLD, kNavy, kWhite, false, true, true, L"3"},
    {kLabel, false, 8, 32, 17, 25, 27, 12, FW_BOLD, kNavy, kWhite, false, true, true, L"2"},
    {kLabel, false, 8, 8, 17, 25, 27, 12, FW_BOLD, kNavy, kWhite, false, true, true, L"1"},
    {kLabel, false, 88, 8, 52, 21, 19, 0, FW_BOLD, kRed, kBlue, false, true, true, L"番  号"},
    {kButton, true, 24, 32, 161, 33, 18, 0, FW_NORMAL, kNone, kNone, true, true, false, L"ｙはｘに比例"},
    {kButton, true, 200, 32, 161, 33, 18, 0, FW_NORMAL, kNone, kNone, true, true, false, L"ｙはｘに反比例"},
    {kButton, true, 24, 72, 161, 33, 18, 0, FW_NORMAL, kNone, kNone, true, true, false, L"ｙはｘの一次関数"},
    {kButton, true, 200, 72, 161, 33, 18, 0, FW_NORMAL, kNone, kNone, true, false, false, L"ｙはｘの２乗に比例"},
    {kBox, true, 128, 136, 41, 33, 24, 0, FW_NORMAL, kNone, kNone, false, false, true, L""},
    {kBox, true, 200, 136, 41, 33, 24, 0, FW_NORMAL, kNone, kNone, false, false, true, L""},
    {kBox, true, 120, 112, 57, 33, 24, 0, FW_NORMAL, kNone, kNone, false, false, true, L""},
    {kLine, true, 120, 150, 56, 5, 18, 0, FW_NORMAL, kYellow, kNone, false, false, true, L""},
    {kLabel, true, 256, 128, 113, 49, 16, 0, FW_BOLD, kBlue, kWhite, false, false, true, L"  数を入れたらＥｎｔｅｒキーを押してください。"},
    {kLabel, true, 136, 144, 17, 34, 32, 0, FW_BOLD, kOrange, kYellow, false, false, true, L"x"},
    {kLabel, true, 192, 128, 9, 17, 16, 5, FW_BOLD, kOrange, kYellow, false, false, true, L"2"},
    {kLabel, true, 176, 128, 16, 34, 32, 0, FW_NORMAL, kOrange, kYellow, false, false, true, L"x"},
    {kLabel, true, 72, 136, 49, 33, 32, 0, FW_BOLD, kOrange, kYellow, false, false, true, L"y ="},
};
static_assert(std::size(kControls) == 47);

constexpr UINT kShowNotice = WM_APP + 1;
constexpr int kClientWidth = 580, kClientHeight = 401;

HWND controls[std::size(kControls)];
HBRUSH brushes[std::size(kControls)];
HBRUSH background;
// The control that gets the focus back when the window is active again.
HWND focus;

HFONT Font(const Control& control) {
  static std::map<std::tuple<int, int, int>, HFONT> made;
  HFONT& font = made[{control.pixels, control.width100, control.weight}];
  if (!font)
    font = CreateFontW(-control.pixels, control.width100, 0, 0, control.weight, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, L"IPAPGothic");
  return font;
}

LRESULT Colour(HDC dc, HWND control) {
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    if (controls[i] != control || !brushes[i]) continue;
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kControls[i].back);
    SetTextColor(dc, kControls[i].fore != kNone ? kControls[i].fore : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(brushes[i]);
  }
  return 0;
}

// The frame: a group box filled with its colour, the system drawing its
// edge and caption over the fill; what its controls tell it goes on to the
// window.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR row) {
  const auto paint = [&](HDC dc) {
    const int saved = SaveDC(dc);
    RECT client;
    GetClientRect(frame, &client);
    FillRect(dc, &client, brushes[row]);
    DefSubclassProc(frame, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
  };
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND: return 1;
    case WM_PRINTCLIENT: paint(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_PAINT: {
      PAINTSTRUCT painting;
      paint(BeginPaint(frame, &painting));
      EndPaint(frame, &painting);
      return 0;
    }
    default: break;
  }
  return DefSubclassProc(frame, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (LRESULT brush = Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return brush;
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (IsChild(window, GetFocus())) focus = GetFocus();
        return 0;
      }
      SetFocus(focus);
      return 0;
    case kShowNotice:
      MessageBoxW(window, L"「スタート」ボタンをクリックすると，始まります。", L"スタート",
                  MB_ICONEXCLAMATION | MB_OK);
      return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HMENU MenuBar() {
  HMENU bar = CreateMenu();
  HMENU game = CreatePopupMenu();
  AppendMenuW(game, MF_STRING, 5001, L"スタート");
  AppendMenuW(game, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(game, MF_STRING, 5003, L"一覧");
  AppendMenuW(game, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(game, MF_STRING, 5005, L"終了");
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(game), L"ゲーム");
  HMENU range = CreatePopupMenu();
  AppendMenuW(range, MF_STRING | MF_CHECKED, 5007, L"－２～２");
  AppendMenuW(range, MF_STRING, 5008, L"１～５");
  AppendMenuW(range, MF_STRING, 5009, L"－５～－１");
  AppendMenuW(range, MF_STRING, 5010, L"ランダム");
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(range), L"ｘの値");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, 5012, L"説明");
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(help), L"ヘルプ");
  return bar;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  background = CreateSolidBrush(Rgb(0x008000));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"SameWindow";
  RegisterClassExW(&windowClass);

  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, style, TRUE, 0);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  HWND window = CreateWindowExW(0, L"SameWindow", L"Ranvik（Orsel)", style,
                                work.left + (work.right - work.left - width) / 2,
                                work.top + (work.bottom - work.top - height) / 2, width, height,
                                nullptr, MenuBar(), instance, nullptr);

  // Made front to back, each below the ones before it.
  HWND frame = nullptr;
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    const Control& control = kControls[i];
    const wchar_t* className = L"STATIC";
    DWORD controlStyle = WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0) |
                         (control.enabled ? 0 : WS_DISABLED);
    DWORD exStyle = 0;
    switch (control.kind) {
      case kLabel: controlStyle |= SS_NOPREFIX | (control.centred ? SS_CENTER : SS_LEFT); break;
      case kLine: break;
      case kButton: className = L"BUTTON"; controlStyle |= BS_PUSHBUTTON | WS_TABSTOP; break;
      case kFrame:
        className = L"BUTTON";
        controlStyle |= BS_GROUPBOX | WS_CLIPCHILDREN;
        exStyle = WS_EX_CONTROLPARENT;
        break;
      case kBox:
        className = L"EDIT";
        controlStyle |= ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    }
    HWND made = CreateWindowExW(exStyle, className, control.text, controlStyle, control.x, control.y,
                                control.width, control.height, control.inFrame ? frame : window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), instance,
                                nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(Font(control)), FALSE);
    controls[i] = made;
    if (control.back != kNone) brushes[i] = CreateSolidBrush(control.back);
    if (control.kind == kFrame) {
      frame = made;
      // Unthemed, or the theme would draw the caption in its own colour.
      using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
      if (HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll"))
        if (auto setTheme = reinterpret_cast<SetWindowThemeFunction>(
                reinterpret_cast<void (*)()>(GetProcAddress(uxtheme, "SetWindowTheme"))))
          setTheme(made, L"", L"");
      SetWindowSubclass(made, FrameProc, 0, i);
    }
  }

  focus = controls[0];
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(focus);
  // As the game shows it: from the message loop, over the window.
  PostMessageW(window, kShowNotice, 0, 0);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
