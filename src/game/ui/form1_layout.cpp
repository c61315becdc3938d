#include "game/ui/form1_layout.h"

#include <array>

namespace tavri::ui {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kVeryDarkGreen{0, 64, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kDarkGreen{0, 128, 0};
constexpr Rgb kOrange{255, 128, 0};
constexpr Rgb kDarkBlue{0, 0, 192};

constexpr auto L = ControlType::Label;
constexpr auto B = ControlType::CommandButton;
constexpr auto T = ControlType::TextBox;
constexpr auto F = ControlType::Frame;
constexpr auto N = ControlType::Line;
constexpr auto kLeft = Align::Left;
constexpr auto kCentre = Align::Centre;
constexpr const char* kClient = nullptr;
constexpr const char* kFrame = "Frame1(0)";
constexpr std::optional<Rgb> kDefault = std::nullopt;

const WindowDesign kWindow{"Form1", "Ranvik（Orsel)", 8700, 6015, kDarkGreen, 13.5, false};

// Rows in the order of creation, which is also the stacking order before the
// front-to-back rules are applied (see Form1Window::Build).
// name, index, type, container, left, top, width, height, points, bold,
// back, fore, alignment, auto-size, line width
const ControlDesign kControls[] = {
    // Problem number and answer list.
    {"monbang", -1, L, kClient, 1320, 120, 825, 285, 14.25, true, kRed, kBlue, kLeft, true, 0},
    {"bango", 0, L, kClient, 120, 120, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0},
    {"bango", 1, L, kClient, 120, 480, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0},
    {"bango", 2, L, kClient, 120, 840, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0},
    {"bango", 3, L, kClient, 120, 1200, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0},
    {"bango", 4, L, kClient, 120, 1560, 255, 375, 20.25, true, kNavy, kWhite, kLeft, false, 0},
    {"sikiyo", 0, L, kClient, 480, 120, 735, 375, 15.75, true, kYellow, kDefault, kLeft, false, 0},
    {"sikiyo", 1, L, kClient, 480, 480, 735, 375, 15.75, true, kYellow, kDefault, kLeft, false, 0},
    {"sikiyo", 2, L, kClient, 480, 840, 735, 375, 15.75, true, kYellow, kDefault, kLeft, false, 0},
    {"sikiyo", 3, L, kClient, 480, 1200, 735, 375, 15.75, true, kYellow, kDefault, kLeft, false, 0},
    {"sikiyo", 4, L, kClient, 480, 1560, 735, 375, 15.75, true, kYellow, kDefault, kLeft, false, 0},
    // Correspondence table.
    {"Label1", -1, L, kClient, 2280, 120, 855, 975, 48, true, kBlue, kWhite, kCentre, false, 0},
    {"Label2", -1, L, kClient, 2280, 1080, 855, 975, 48, true, kBlue, kWhite, kCentre, false, 0},
    {"Label3", -1, L, kClient, 3120, 120, 5415, 255, 0, false, kBlue, kDefault, kLeft, false, 0},
    {"Label4", -1, L, kClient, 3120, 1080, 5415, 255, 0, false, kBlue, kDefault, kLeft, false, 0},
    {"mondai", 0, L, kClient, 3120, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 1, L, kClient, 4200, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 2, L, kClient, 5280, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 3, L, kClient, 6360, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 4, L, kClient, 7440, 360, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 5, L, kClient, 3120, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 6, L, kClient, 4200, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 7, L, kClient, 5280, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 8, L, kClient, 6360, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"mondai", 9, L, kClient, 7440, 1320, 1095, 735, 27.75, true, kBlue, kWhite, kCentre, false, 0},
    {"Line1", -1, N, kClient, 2280, 1200, 8520, 1200, 0, false, kDefault, kWhite, kLeft, false, 5},
    {"Line2", -1, N, kClient, 3120, 120, 3120, 2040, 0, false, kDefault, kWhite, kLeft, false, 5},
    // Points.
    {"tokuten", -1, L, kClient, 120, 2160, 2655, 2415, 120, true, kVeryDarkGreen, kGreen, kLeft, false, 0},
    {"tokutenyo", -1, B, kClient, 120, 4680, 2655, 1215, 48, false, kDefault, kDefault, kLeft, false, 0},
    // Relationship and formula entry.
    {"Frame1", 0, F, kClient, 2880, 2160, 5655, 2775, 20.25, true, kOrange, kDarkBlue, kLeft, false, 0},
    {"kotae", 0, B, kFrame, 360, 480, 2415, 495, 0, false, kDefault, kDefault, kLeft, false, 0},
    {"kotae", 1, B, kFrame, 3000, 480, 2415, 495, 0, false, kDefault, kDefault, kLeft, false, 0},
    {"kotae", 2, B, kFrame, 360, 1080, 2415, 495, 0, false, kDefault, kDefault, kLeft, false, 0},
    {"kotae", 3, B, kFrame, 3000, 1080, 2415, 495, 0, false, kDefault, kDefault, kLeft, false, 0},
    {"LaY", -1, L, kFrame, 1080, 2040, 735, 495, 24, true, kOrange, kYellow, kLeft, false, 0},
    {"TextA1", -1, T, kFrame, 1920, 2040, 615, 495, 18, false, kDefault, kDefault, kLeft, false, 0},
    {"LaX1", -1, L, kFrame, 2640, 1920, 225, 495, 24, false, kOrange, kYellow, kLeft, true, 0},
    {"La2", -1, L, kFrame, 2880, 1920, 135, 255, 12, true, kOrange, kYellow, kLeft, false, 0},
    {"TextB", -1, T, kFrame, 3000, 2040, 615, 495, 18, false, kDefault, kDefault, kLeft, false, 0},
    {"TextA2", -1, T, kFrame, 1800, 1680, 855, 495, 18, false, kDefault, kDefault, kLeft, false, 0},
    {"Line3", -1, N, kFrame, 1800, 2280, 2640, 2280, 0, false, kDefault, kYellow, kLeft, false, 5},
    {"LaX2", -1, L, kFrame, 2040, 2160, 255, 495, 24, true, kOrange, kYellow, kLeft, true, 0},
    {"enter", -1, L, kFrame, 3840, 1920, 1695, 735, 12, true, kBlue, kWhite, kLeft, false, 0},
    // Command buttons below the frame, and the help button.
    {"Command1", -1, B, kClient, 2880, 5040, 1935, 855, 21.75, true, kDefault, kDefault, kLeft, false, 0},
    {"Command3", -1, B, kClient, 4920, 5400, 2175, 495, 12, false, kDefault, kDefault, kLeft, false, 0},
    {"Command5", -1, B, kClient, 7200, 5280, 1335, 615, 18, true, kDefault, kDefault, kLeft, false, 0},
    {"helpyo", -1, B, kClient, 1320, 1560, 855, 495, 0, false, kDefault, kDefault, kLeft, false, 0},
};

constexpr auto kTop = MenuLevel::Top;
constexpr auto kItem = MenuLevel::Item;

// level, name, index, caption, separator, checkable
const MenuDesign kMenus[] = {
    {kTop, "m1", -1, "ゲーム", false, false},
    {kItem, "m1a", -1, "スタート", false, false},
    {kItem, "s1", -1, "-", true, false},
    {kItem, "m1c", -1, "一覧", false, false},
    {kItem, "s2", -1, "-", true, false},
    {kItem, "m1d", -1, "終了", false, false},
    {kTop, "m4", -1, "ｘの値", false, false},
    {kItem, "en", 0, "－２～２", false, true},
    {kItem, "en", 1, "１～５", false, true},
    {kItem, "en", 2, "－５～－１", false, true},
    {kItem, "en", 3, "ランダム", false, true},
    {kTop, "m5", -1, "ヘルプ", false, false},
    {kItem, "m5c", -1, "説明", false, false},
};

// Tab indexes 0, 1, 2, 17, 18, 19 to 22, 37, 39, 40; the labels and the frame
// hold the numbers between and never take the focus.
constexpr std::array<const char*, 12> kTabOrder{
    "Command1", "Command3", "Command5", "tokutenyo", "helpyo",   "kotae(0)",
    "kotae(1)", "kotae(2)", "kotae(3)", "TextA1",    "TextB",    "TextA2"};

}  // namespace

const WindowDesign& Form1WindowDesign() { return kWindow; }
std::span<const ControlDesign> Form1Controls() { return kControls; }
std::span<const MenuDesign> Form1Menus() { return kMenus; }
std::span<const char* const> Form1TabOrder() { return kTabOrder; }

}  // namespace tavri::ui
