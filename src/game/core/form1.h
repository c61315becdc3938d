// The game window's behaviour: its controls as plain data, its variables and
// every handler, named as the window's events are.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shared/controls.h"
#include "shared/conversions.h"
#include "shared/module1.h"
#include "shared/platform.h"

namespace tavri {

// What the game window asks of the rest of the program.
class Form1Windows {
 public:
  virtual ~Form1Windows() = default;
  // Shows the results window modally; returns once it has been closed.
  virtual void ShowResultsModal() = 0;
  // Shows the results window beside the game window (or brings it forward).
  virtual void ShowResultsModeless() = 0;
  // Creates the help window if need be and brings it forward.
  virtual void ShowHelp() = 0;
  // Ends the program at once: no window runs a handler, nothing is saved.
  virtual void EndProgram() = 0;
};

// Where the focus should go after a handler; the front end moves it and
// clears the request.
enum class Focus { None, Command1, TextA1, TextA2, TextB };

// How the game window came to be the active window. Only a first show and a
// return from another window of this program show the "スタート" notice.
enum class Activation { FirstShow, FromProgramWindow, FromMessageBox, FromOtherApplication };

// Kinds of problem; each equals the index of the button that answers it.
enum Kind : std::int16_t { kProportional = 0, kInverse = 1, kLinear = 2, kSquare = 3 };

class Form1 {
 public:
  Form1(Module1& module, Platform& platform, Form1Windows& windows);

  // --- Controls, with their design-time state -----------------------------
  Label monbang{"番  号"};
  std::array<Label, 5> bango{Label{"1"}, Label{"2"}, Label{"3"}, Label{"4"}, Label{"5"}};
  std::array<Label, 5> sikiyo{};
  Label Label1{"ｘ"};
  Label Label2{"ｙ"};
  std::array<Label, 10> mondai{};
  Label tokuten{"点"};
  CommandButton tokutenyo{"得点"};
  Label Frame1{"ｘとｙの関係は？"};
  std::array<CommandButton, 4> kotae{CommandButton{"ｙはｘに比例"},
                                     CommandButton{"ｙはｘに反比例"},
                                     CommandButton{"ｙはｘの一次関数"},
                                     CommandButton{"ｙはｘの２乗に比例"}};
  Label LaY{"y ="};
  TextBox TextA1;
  Label LaX1{"x"};
  Label La2{"2"};
  TextBox TextB;
  TextBox TextA2;
  Line Line3;
  Label LaX2{"x"};
  Label enter{"  数を入れたらＥｎｔｅｒキーを押してください。"};
  CommandButton Command1{"スタート"};
  CommandButton Command3{"ｘの値の表示・変更"};
  CommandButton Command5{"終了"};
  CommandButton helpyo{"説明"};
  std::array<MenuItem, 4> en{MenuItem{"－２～２"}, MenuItem{"１～５"},
                             MenuItem{"－５～－１"}, MenuItem{"ランダム"}};
  Timer Timer1;
  Focus focusRequest = Focus::Command1;

  // --- The window's variables ----------------------------------------------
  std::array<std::array<std::int16_t, 5>, 4> xValues{};
  std::array<std::string, 4> rangeNames{};
  std::int16_t kind = 0;
  std::int16_t coefA = 0;
  std::int16_t coefB = 0;
  std::int16_t problemNo = 0;
  std::int16_t points = 0;

  // --- Handlers --------------------------------------------------------------
  void Form_Load();
  void Form_Activate();
  void Command1_Click();
  void Command3_Click();
  void Command5_Click();
  void helpyo_Click();
  void tokutenyo_Click();
  void kotae_Click(int Index);
  void TextA1_KeyPress(int KeyAscii);
  void TextA2_KeyPress(int KeyAscii);
  void TextB_KeyPress(int KeyAscii);
  void Timer1_Timer();
  void m1a_Click();
  void m1c_Click();
  void m1d_Click();
  void en_Click(int Index);
  void m5c_Click();

  // Decides whether an activation shows the notice, then runs Form_Activate.
  void Activated(Activation how);


 private:
  void HideFormulaEntry();
  void NewProblem();

  // Problem making.
  std::int16_t DrawBelow(int count);
  std::int16_t DrawNonZeroCoefficient();
  void FillRandomRow();
  std::string YText(std::int16_t x) const;

  // The x range.
  void ShowRangeChange(std::int16_t range);

  // Answers and the end of a game.
  static constexpr std::int16_t kLastProblem = 5;
  enum class EndCause { Answer, TimeOut };
  bool ProblemIsOpen() const;
  Label& MarkCell();
  void JudgeFormula(bool valuesRight);
  void GameEnd(EndCause cause);

  Module1& module_;
  Platform& platform_;
  Form1Windows& windows_;
};

}  // namespace tavri
