// The help window's behaviour: a fixed page of instructions and a way back.
#pragma once

#include "shared/controls.h"

namespace tavri {

// What the help window asks of the rest of the program.
class Form2Windows {
 public:
  virtual ~Form2Windows() = default;
  // Brings the game window forward and makes it the active window.
  virtual void ShowGameWindow() = 0;
  // Hides the help window; it is kept for the next opening.
  virtual void HideHelpWindow() = 0;
};

class Form2 {
 public:
  explicit Form2(Form2Windows& windows) : windows_(windows) {}

  Label Label2{"　 中学校１・２年の「関数関係」を  対応表から見つけ，それの式を求めるゲーム感覚の学習ソフトです。"};
  Label Label3{
      "　 「スタート」ボタンをクリックすると，対応表が表示されます。  そこで，ｘとｙの関係を見つけ，下のあてはまる関数関係をクリックします。   正解かどうかは，上のリストに○×で表示されます。そして，関係の式を入力します。Ｅｎｔｅｒキーを押すと，上のリストに○×が表示されます。５問解いたら終わりです。"};
  Label Label4{
      "　 問題が表示されたら，１０→９→８・・・と点数が下がっていきます。速く正解すると得点は高いです。５問解いたあと，得点の一覧表が表示されます。Ｂｅｓｔ５に入ると，名前が登録できます。その後，「スタート」ボタンをクリックすると再開されます。"};
  Label Label6{"  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。"};
  // The credit line.
  Label Label5{"tavri 1.00  関数の学習ゲーム"};
  CommandButton Command1{"戻る"};

  // 戻る: the game window comes forward first, so its activation notice
  // follows, then this window steps aside.
  void Command1_Click() {
    windows_.ShowGameWindow();
    windows_.HideHelpWindow();
  }

 private:
  Form2Windows& windows_;
};

}  // namespace tavri
