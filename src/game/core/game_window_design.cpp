#include "game/core/game_window_design.h"

#include <array>

#include "shared/palette.h"

namespace tavri::game_window {
namespace {

using namespace palette;

constexpr auto L = ControlKind::Label;
constexpr auto B = ControlKind::Button;
constexpr auto T = ControlKind::TextBox;
constexpr auto F = ControlKind::Frame;
constexpr auto N = ControlKind::Line;
constexpr auto kLeft = Align::Left;
constexpr auto kCentre = Align::Centre;
constexpr int kClient = kOnClientArea;
constexpr int kFrame = kRelationshipFrame;
constexpr int kNoTab = kNoTabStop;
constexpr std::optional<Rgb> kToolkit = std::nullopt;

// Rows in the order of the ids. Left, Top, Width, Height in twips (a line's
// two ends); points 0 means the window's 13.5 pt. The labels that never take
// the focus carry no tab index.
// name, kind, container, left, top, width, height, points, bold, back, fore,
// align, auto-size, line width, tab index, caption
constexpr std::array<ControlDesign, kControlCount> kControls{{
    {"monbang", L, kClient, 1320, 120, 825, 285, 14.25, true, kRed, kBlue, kLeft, true, 0, kNoTab, "番  号"},
    {"bango(0)", L, kClient, 120, 120, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0, kNoTab, "1"},
    {"bango(1)", L, kClient, 120, 480, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0, kNoTab, "2"},
    {"bango(2)", L, kClient, 120, 840, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0, kNoTab, "3"},
    {"bango(3)", L, kClient, 120, 1200, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0, kNoTab, "4"},
    {"bango(4)", L, kClient, 120, 1560, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0, kNoTab, "5"},
    {"sikiyo(0)", L, kClient, 480, 120, 735, 375, 15.75, true, kYellow, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"sikiyo(1)", L, kClient, 480, 480, 735, 375, 15.75, true, kYellow, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"sikiyo(2)", L, kClient, 480, 840, 735, 375, 15.75, true, kYellow, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"sikiyo(3)", L, kClient, 480, 1200, 735, 375, 15.75, true, kYellow, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"sikiyo(4)", L, kClient, 480, 1560, 735, 375, 15.75, true, kYellow, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"Label1", L, kClient, 2280, 120, 855, 975, 48, true, kBlue, kWhite, kCentre, false, 0, kNoTab, "ｘ"},
    {"Label2", L, kClient, 2280, 1080, 855, 975, 48, true, kBlue, kWhite, kCentre, false, 0, kNoTab, "ｙ"},
    {"Label3", L, kClient, 3120, 120, 5415, 255, 0, false, kBlue, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"Label4", L, kClient, 3120, 1080, 5415, 255, 0, false, kBlue, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"mondai(0)", L, kClient, 3120, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(1)", L, kClient, 4200, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(2)", L, kClient, 5280, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(3)", L, kClient, 6360, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(4)", L, kClient, 7440, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(5)", L, kClient, 3120, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(6)", L, kClient, 4200, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(7)", L, kClient, 5280, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(8)", L, kClient, 6360, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"mondai(9)", L, kClient, 7440, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0, kNoTab, ""},
    {"Line1", N, kClient, 2280, 1200, 8520, 1200, 0, false, kToolkit, kWhite, kLeft, false, 5, kNoTab, ""},
    {"Line2", N, kClient, 3120, 120, 3120, 2040, 0, false, kToolkit, kWhite, kLeft, false, 5, kNoTab, ""},
    {"tokuten", L, kClient, 120, 2160, 2655, 2415, 120, true, kVeryDarkGreen, kGreen, kLeft, false, 0, kNoTab, "点"},
    {"tokutenyo", B, kClient, 120, 4680, 2655, 1215, 48, false, kToolkit, kToolkit, kCentre, false, 0, 17, "得点"},
    {"Frame1(0)", F, kClient, 2880, 2160, 5655, 2775, 20.25, true, kOrange, kDarkBlue, kLeft, false, 0, kNoTab, "ｘとｙの関係は？"},
    {"kotae(0)", B, kFrame, 360, 480, 2415, 495, 0, false, kToolkit, kToolkit, kCentre, false, 0, 19, "ｙはｘに比例"},
    {"kotae(1)", B, kFrame, 3000, 480, 2415, 495, 0, false, kToolkit, kToolkit, kCentre, false, 0, 20, "ｙはｘに反比例"},
    {"kotae(2)", B, kFrame, 360, 1080, 2415, 495, 0, false, kToolkit, kToolkit, kCentre, false, 0, 21, "ｙはｘの一次関数"},
    {"kotae(3)", B, kFrame, 3000, 1080, 2415, 495, 0, false, kToolkit, kToolkit, kCentre, false, 0, 22, "ｙはｘの２乗に比例"},
    {"LaY", L, kFrame, 1080, 2040, 735, 495, 24, true, kOrange, kYellow, kLeft, false, 0, kNoTab, "y ="},
    {"TextA1", T, kFrame, 1920, 2040, 615, 495, 18, false, kToolkit, kToolkit, kLeft, false, 0, 37, ""},
    {"LaX1", L, kFrame, 2640, 1920, 225, 495, 24, false, kOrange, kYellow, kLeft, true, 0, kNoTab, "x"},
    {"La2", L, kFrame, 2880, 1920, 135, 255, 12, true, kOrange, kYellow, kLeft, false, 0, kNoTab, "2"},
    {"TextB", T, kFrame, 3000, 2040, 615, 495, 18, false, kToolkit, kToolkit, kLeft, false, 0, 39, ""},
    {"TextA2", T, kFrame, 1800, 1680, 855, 495, 18, false, kToolkit, kToolkit, kLeft, false, 0, 40, ""},
    {"Line3", N, kFrame, 1800, 2280, 2640, 2280, 0, false, kToolkit, kYellow, kLeft, false, 5, kNoTab, ""},
    {"LaX2", L, kFrame, 2040, 2160, 255, 495, 24, true, kOrange, kYellow, kLeft, true, 0, kNoTab, "x"},
    {"enter", L, kFrame, 3840, 1920, 1695, 735, 12, true, kBlue, kWhite, kLeft, false, 0, kNoTab, "  数を入れたらＥｎｔｅｒキーを押してください。"},
    {"Command1", B, kClient, 2880, 5040, 1935, 855, 21.75, true, kToolkit, kToolkit, kCentre, false, 0, 0, "スタート"},
    {"Command3", B, kClient, 4920, 5400, 2175, 495, 12, false, kToolkit, kToolkit, kCentre, false, 0, 1, "ｘの値の表示・変更"},
    {"Command5", B, kClient, 7200, 5280, 1335, 615, 18, true, kToolkit, kToolkit, kCentre, false, 0, 2, "終了"},
    {"helpyo", B, kClient, 1320, 1560, 855, 495, 0, false, kToolkit, kToolkit, kCentre, false, 0, 18, "説明"},
}};

constexpr auto kTop = MenuLevel::Top;
constexpr auto kItem = MenuLevel::Item;

// name, level, caption, separator, checkable
constexpr std::array<MenuDesign, kMenuItemCount> kMenus{{
    {"m1", kTop, "ゲーム", false, false},
    {"m1a", kItem, "スタート", false, false},
    {"s1", kItem, "-", true, false},
    {"m1c", kItem, "一覧", false, false},
    {"s2", kItem, "-", true, false},
    {"m1d", kItem, "終了", false, false},
    {"m4", kTop, "ｘの値", false, false},
    {"en(0)", kItem, "－２～２", false, true},
    {"en(1)", kItem, "１～５", false, true},
    {"en(2)", kItem, "－５～－１", false, true},
    {"en(3)", kItem, "ランダム", false, true},
    {"m5", kTop, "ヘルプ", false, false},
    {"m5c", kItem, "説明", false, false},
}};

constexpr WindowDesign kWindow{"Form1", "Ranvik（Orsel)", 8700, 6015, kDarkGreen, 13.5, false,
                               kControls, kMenus};

}  // namespace

const WindowDesign& Design() { return kWindow; }

}  // namespace tavri::game_window
