// Every window and control as the design draws it up: the title, each
// control's class, its place in pixels at the screen's DPI, its font, its
// stacking, a label's narrowing and size as the host decided them; and the
// same after a move to a screen of 150 %.
// Expected places are worked out here from the twips.
#include <gtest/gtest.h>

#include "game/core/game_window_design.h"
#include "help/core/help_window_design.h"
#include "results/core/results_window_design.h"
#include "shared/design_units.h"
#include "shared/win32/design_fonts.h"
#include "shared/win32/wide_text.h"
#include "support/program_fixture.h"

namespace tavri::test {
namespace {

using Layout = ProgramFixture;

std::wstring ClassOf(HWND control) {
  wchar_t name[32];
  GetClassNameW(control, name, 32);
  return name;
}

// Where a control lies in its window's client area.
RECT PlaceInClient(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetAncestor(control, GA_ROOT), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectLaidOutAsDesigned(win32::DesignedWindow& window, int dpi) {
  const WindowDesign& design = window.design();
  EXPECT_EQ(win32::WindowText(window.handle()), Wide(design.caption));
  RECT client;
  GetClientRect(window.handle(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(design.clientWidth, dpi));
  EXPECT_EQ(client.bottom, TwipsToPixels(design.clientHeight, dpi));
  for (std::size_t i = 0; i < design.controls.size(); ++i) {
    const ControlDesign& control = design.controls[i];
    SCOPED_TRACE(control.designName);
    HWND handle = window.FindControl(control.designName);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle, window.Control(static_cast<int>(i)));
    const std::wstring kind = ClassOf(handle);
    switch (control.kind) {
      case ControlKind::Label:
      case ControlKind::Line: EXPECT_EQ(kind, L"Static"); break;
      case ControlKind::Button: EXPECT_EQ(kind, L"Button"); break;
      case ControlKind::TextBox: EXPECT_EQ(kind, L"Edit"); break;
      case ControlKind::Frame:
        EXPECT_EQ(kind, L"Button");
        EXPECT_EQ(GetWindowLongW(handle, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
        break;
    }
    if (control.kind == ControlKind::Line) continue;
    int left = TwipsToPixels(control.left, dpi), top = TwipsToPixels(control.top, dpi);
    if (control.container != kOnClientArea) {
      left += TwipsToPixels(design.controls[control.container].left, dpi);
      top += TwipsToPixels(design.controls[control.container].top, dpi);
    }
    const RECT place = PlaceInClient(handle);
    EXPECT_EQ(place.left, left);
    EXPECT_EQ(place.top, top);
    if (!control.autoSize) {
      EXPECT_EQ(place.right - place.left, TwipsToPixels(control.width, dpi));
      EXPECT_EQ(place.bottom - place.top, TwipsToPixels(control.height, dpi));
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), sizeof font, &font);
    const double points = control.points > 0 ? control.points : design.fontPoints;
    EXPECT_EQ(font.lfHeight, -PointsToPixels(points, dpi));
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(std::wstring(font.lfFaceName), win32::DesignFace());
    EXPECT_EQ(font.lfWeight, control.bold || (control.points == 0 && design.fontBold) ? FW_BOLD
                                                                                        : FW_NORMAL);
  }
}

// Each label's font narrowed to the share the host gave (of the face's
// average character width) and each auto-sized label of the size it gave.
// How many labels are narrowed.
int ExpectLabelsDrawnAsTheHostSays(TestProgram& program, WindowId id) {
  win32::DesignedWindow& window = *program.Window(id);
  const WindowLook look = program.host->Look(id);
  int narrowed = 0;
  for (std::size_t row = 0; row < look.controls.size(); ++row) {
    const ControlDesign& control = window.design().controls[row];
    if (control.kind != ControlKind::Label) continue;
    SCOPED_TRACE(control.designName);
    const ControlLook& drawn = look.controls[row];
    HWND handle = window.Control(static_cast<int>(row));
    const DrawnFont font = FontOf(handle);
    if (drawn.widthPercent == 100) {
      EXPECT_EQ(font.font.lfWidth, 0);
    } else {
      ++narrowed;
      EXPECT_EQ(font.font.lfWidth, std::max(1L, font.fullWidth * drawn.widthPercent / 100));
    }
    if (drawn.size) {
      RECT client;
      GetClientRect(handle, &client);
      EXPECT_EQ(client.right, drawn.size->width);
      EXPECT_EQ(client.bottom, drawn.size->height);
    }
  }
  return narrowed;
}

TEST_F(Layout, EveryWindowIsDrawnUpAsDesignedAtTheScreensDpi) {
  StartProgram();
  Click(WindowId::Game, game_window::kHelpButton);
  ChooseMenu(game_window::kListItem);
  int narrowed = 0;
  for (WindowId id : {WindowId::Game, WindowId::Help, WindowId::Results}) {
    win32::DesignedWindow* window = Window(id);
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(window->design().designName);
    ExpectLaidOutAsDesigned(*window, window->dpi());
    narrowed += ExpectLabelsDrawnAsTheHostSays(*this, id);
  }
  // Here a stand-in face draws wider than the design's.
  if (!front->DesignFaceInstalled()) {
    EXPECT_GT(narrowed, 0);
  }
}

TEST_F(Layout, AMoveToAScreenOf150PercentLaysEverythingOutAgain) {
  StartProgram();
  win32::DesignedWindow& game = *Window(WindowId::Game);
  const std::optional<PixelSize> heading = host->Look(WindowId::Game).controls[game_window::kProblemHeading].size;
  RECT suggested{40, 30, 40 + 870, 30 + 640};
  SendMessageW(game.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(game.dpi(), 144);
  // The host heard of it and fitted the labels anew.
  ExpectLabelsDrawnAsTheHostSays(*this, WindowId::Game);
  const std::optional<PixelSize> scaled = host->Look(WindowId::Game).controls[game_window::kProblemHeading].size;
  ASSERT_TRUE(heading && scaled);
  EXPECT_NEAR(scaled->height, heading->height * 1.5, 2);
  RECT window;
  GetWindowRect(game.handle(), &window);
  EXPECT_EQ(window.left, 40);
  EXPECT_EQ(window.top, 30);
  ExpectLaidOutAsDesigned(game, 144);
  // A line keeps its width in the design's pixels, scaled: 5 at 96 dpi.
  const RECT separator = PlaceInClient(game.Control(game_window::kRowSeparator));
  EXPECT_EQ(separator.bottom - separator.top, ScalePixels(5, 144));
}

// Back to front: labels, lines, the frame, then what takes the focus, the
// first in tab order in front (Windows walks Tab from the front). The
// controls inside the frame are its children, stacked the same way.
TEST_F(Layout, LabelsLieBehindLinesBehindTheFrameBehindWhatTakesTheFocus) {
  StartProgram();
  win32::DesignedWindow& game = *Window(WindowId::Game);
  const auto layer = [](ControlKind kind) {
    switch (kind) {
      case ControlKind::Button:
      case ControlKind::TextBox: return 0;
      case ControlKind::Frame: return 1;
      case ControlKind::Line: return 2;
      case ControlKind::Label: return 3;
    }
    return 4;
  };
  std::size_t seen = 0;
  for (HWND parent : {game.handle(), game.Control(game_window::kRelationshipFrame)}) {
    std::vector<int> rows;  // front first
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (auto row = game.ControlOf(child)) rows.push_back(*row);
    seen += rows.size();
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const ControlDesign& before = game.design().controls[rows[i - 1]];
      const ControlDesign& behind = game.design().controls[rows[i]];
      EXPECT_LE(layer(before.kind), layer(behind.kind)) << before.designName << behind.designName;
      if (layer(before.kind) == 0 && layer(behind.kind) == 0) {
        EXPECT_LT(before.tabIndex, behind.tabIndex) << before.designName;
      }
    }
  }
  EXPECT_EQ(seen, game.design().controls.size());
}

TEST_F(Layout, LabelsAreColouredByTheirWindowAndAutoSizedOnesTakeTheirNewSize) {
  StartProgram();
  win32::DesignedWindow& game = *Window(WindowId::Game);
  HWND heading = game.Control(game_window::kProblemHeading);
  HDC dc = GetDC(heading);
  const LRESULT brush = SendMessageW(game.handle(), WM_CTLCOLORSTATIC,
                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(heading));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  LOGBRUSH fill;
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof fill, &fill);
  EXPECT_EQ(fill.lbColor, RGB(255, 0, 0));
  ReleaseDC(heading, dc);

  const int before = PlaceInClient(heading).right;
  Click(WindowId::Game, game_window::kStartButton);  // "番  号" becomes "第 1問"
  const RECT after = PlaceInClient(heading);
  EXPECT_EQ(after.left, TwipsToPixels(1320, game.dpi()));
  EXPECT_NE(after.right, before);
  ExpectLabelsDrawnAsTheHostSays(*this, WindowId::Game);
}

}  // namespace
}  // namespace tavri::test
