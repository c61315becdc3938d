#include "results/core/results_window_design.h"

#include <array>

#include "shared/palette.h"

namespace tavri::results_window {
namespace {

using namespace palette;

constexpr auto L = ControlKind::Label;
constexpr auto B = ControlKind::Button;
constexpr auto T = ControlKind::TextBox;
constexpr auto N = ControlKind::Line;
constexpr auto kLeft = Align::Left;
constexpr auto kCentre = Align::Centre;
constexpr auto kRight = Align::Right;
constexpr int kClient = kOnClientArea;
constexpr int kNoTab = kNoTabStop;
constexpr std::optional<Rgb> kToolkit = std::nullopt;

constexpr int Row(int i) { return i * kRowStepTwips; }

// Rows in the order of the ids. The rows of the two lists below the first
// stand kRowStepTwips apart. Points 0: the window's small user-interface
// font.
// name, kind, container, left, top, width, height, points, bold, back, fore,
// align, auto-size, line width, tab index, caption
constexpr std::array<ControlDesign, kControlCount> kControls{{
    {"Label1", L, kClient, 120, 120, 1695, 405, 20.25, true, kDarkGreen, kRed, kLeft, true, 0, kNoTab, "成績一覧"},
    {"Command2", B, kClient, 3240, 120, 732, 372, 0, false, kToolkit, kToolkit, kCentre, false, 0, 8, "初期化"},
    {"Label4", L, kClient, 600, 600, 720, 285, 14.25, false, kLightGreen, kDarkBlue, kLeft, true, 0, kNoTab, "ｘの値"},
    {"enz0", L, kClient, 1560, 600, 1695, 255, 13.5, false, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, "法"},
    {"jyun(0)", L, kClient, 240, 1200 + Row(0), 372, 372, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, "１"},
    {"jyun(1)", L, kClient, 240, 1200 + Row(1), 372, 372, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"jyun(2)", L, kClient, 240, 1200 + Row(2), 372, 372, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"jyun(3)", L, kClient, 240, 1200 + Row(3), 372, 372, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"jyun(4)", L, kClient, 240, 1200 + Row(4), 372, 372, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"namae(0)", L, kClient, 960, 1200 + Row(0), 1935, 375, 13.5, false, kLightGreen, kToolkit, kLeft, false, 0, kNoTab, "名前"},
    {"namae(1)", L, kClient, 960, 1200 + Row(1), 1935, 375, 13.5, false, kLightGreen, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"namae(2)", L, kClient, 960, 1200 + Row(2), 1935, 375, 13.5, false, kLightGreen, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"namae(3)", L, kClient, 960, 1200 + Row(3), 1935, 375, 13.5, false, kLightGreen, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"namae(4)", L, kClient, 960, 1200 + Row(4), 1935, 375, 13.5, false, kLightGreen, kToolkit, kLeft, false, 0, kNoTab, ""},
    {"jikan(0)", L, kClient, 3120, 1200 + Row(0), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, " 0"},
    {"jikan(1)", L, kClient, 3120, 1200 + Row(1), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"jikan(2)", L, kClient, 3120, 1200 + Row(2), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"jikan(3)", L, kClient, 3120, 1200 + Row(3), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"jikan(4)", L, kClient, 3120, 1200 + Row(4), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"Line2", N, kClient, 120, 3600, 3960, 3600, 0, false, kToolkit, kBlack, kLeft, false, 1, kNoTab, ""},
    {"Line1", N, kClient, 120, 3720, 3960, 3720, 0, false, kToolkit, kBlack, kLeft, false, 1, kNoTab, ""},
    {"Label3", L, kClient, 120, 3840, 1920, 315, 15.75, true, kCyan, kBlue, kLeft, true, 0, kNoTab, "あなたの記録"},
    {"jyun1(0)", L, kClient, 2400, 3840 + Row(0), 375, 375, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, "1"},
    {"jyun1(1)", L, kClient, 2400, 3840 + Row(1), 375, 375, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"jyun1(2)", L, kClient, 2400, 3840 + Row(2), 375, 375, 15.75, true, kLightGreen, kToolkit, kCentre, false, 0, kNoTab, ""},
    {"jikan1(0)", L, kClient, 3120, 3840 + Row(0), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, " 0"},
    {"jikan1(1)", L, kClient, 3120, 3840 + Row(1), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"jikan1(2)", L, kClient, 3120, 3840 + Row(2), 615, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, ""},
    {"Label2", L, kClient, 240, 4440, 972, 252, 0, false, kLightGreen, kRed, kLeft, false, 0, kNoTab, "今回の記録"},
    {"jikan9", L, kClient, 480, 4800, 855, 375, 15.75, true, kLightGreen, kToolkit, kRight, false, 0, kNoTab, "0"},
    {"Line3", N, kClient, 120, 5280, 3960, 5280, 0, false, kToolkit, kBlack, kLeft, false, 1, kNoTab, ""},
    {"Label6", L, kClient, 120, 5400, 3852, 372, 12, false, kLightGreen, kDarkTeal, kLeft, false, 0, kNoTab, "　１番です。名前を入力して下さい。"},
    {"Text1", T, kClient, 1320, 5760, 1815, 405, 13.5, false, kLightBlue, kToolkit, kLeft, false, 0, 5, ""},
    {"Command1", B, kClient, 3240, 5760, 732, 372, 10.5, false, kToolkit, kToolkit, kCentre, false, 0, 6, "戻る"},
}};

constexpr WindowDesign kWindow{"Form3", "Ranvik(Orsel)", 4080, 6270, kLightGreen, 9, false,
                               kControls, {}};

}  // namespace

const WindowDesign& Design() { return kWindow; }

}  // namespace tavri::results_window
