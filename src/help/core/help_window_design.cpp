#include "help/core/help_window_design.h"

#include <array>

#include "shared/palette.h"

namespace tavri::help_window {
namespace {

using namespace palette;

constexpr auto L = ControlKind::Label;
constexpr auto kLeft = Align::Left;
constexpr int kClient = kOnClientArea;
constexpr int kNoTab = kNoTabStop;

// name, kind, container, left, top, width, height, points, bold, back, fore,
// align, auto-size, line width, tab index, caption. Only the button takes
// the focus.
constexpr std::array<ControlDesign, kControlCount> kControls{{
    {"Label2", L, kClient, 360, 120, 5550, 1095, 18, true, kCyan, kRed, kLeft, false, 0, kNoTab,
     "　 中学校１・２年の「関数関係」を  対応表から見つけ，それの式を求めるゲーム感覚の学習ソフトです。"},
    {"Label3", L, kClient, 360, 1320, 5535, 2055, 14.25, false, kGreen, kBlack, kLeft, false, 0, kNoTab,
     "　 「スタート」ボタンをクリックすると，対応表が表示されます。  そこで，ｘとｙの関係を見つけ，下のあてはまる関数関係をクリックします。   正解かどうかは，上のリストに○×で表示されます。そして，関係の式を入力します。Ｅｎｔｅｒキーを押すと，上のリストに○×が表示されます。５問解いたら終わりです。"},
    {"Label4", L, kClient, 360, 3480, 5535, 1815, 14.25, false, kGreen, kBlack, kLeft, false, 0, kNoTab,
     "　 問題が表示されたら，１０→９→８・・・と点数が下がっていきます。速く正解すると得点は高いです。５問解いたあと，得点の一覧表が表示されます。Ｂｅｓｔ５に入ると，名前が登録できます。その後，「スタート」ボタンをクリックすると再開されます。"},
    {"Label6", L, kClient, 360, 5400, 5535, 615, 14.25, false, kGreen, kBlack, kLeft, false, 0, kNoTab,
     "  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。"},
    {"Label5", L, kClient, 1080, 6120, 2925, 285, 14.25, true, kMagenta, kWhite, kLeft, true, 0, kNoTab,
     "tavri 1.00  関数の学習ゲーム"},
    {"Command1", ControlKind::Button, kClient, 4800, 6120, 975, 495, 12, false, std::nullopt,
     std::nullopt, Align::Centre, false, 0, 4, "戻る"},
}};

constexpr WindowDesign kWindow{"Form2", "Ranvik(Orsel)", 6090, 6645, kBlue, 12, false,
                               kControls, {}};

}  // namespace

const WindowDesign& Design() { return kWindow; }

}  // namespace tavri::help_window
