// Start-up, Start, Exit, the activation notice and the opening of the other
// windows.
#include "game/core/form1.h"

namespace tavri {

Form1::Form1(Module1& module, Platform& platform, Form1Windows& windows)
    : module_(module), platform_(platform), windows_(windows) {}

void Form1::Form_Load() {
  // The scale unit is the front end's business: it lays out in pixels.
  Timer1.Interval = 0;
  platform_.Randomize();
  rangeNames = kRangeNames;
  xValues[0] = {-2, -1, 0, 1, 2};
  xValues[1] = {1, 2, 3, 4, 5};
  xValues[2] = {-5, -4, -3, -2, -1};
  kotae[3].Visible = false;
  for (auto& button : kotae) button.Enabled = false;
  en[0].Checked = true;
  module_.xRange = 0;
  Command3.Caption = "ｘの値：" + rangeNames[0];
  HideFormulaEntry();
}

void Form1::Activated(Activation how) {
  if (how == Activation::FirstShow || how == Activation::FromProgramWindow)
    Form_Activate();
}

void Form1::Form_Activate() {
  platform_.MsgBox(Notice("スタート", "「スタート」ボタンをクリックすると，始まります。"));
}

void Form1::Command1_Click() {
  for (auto& cell : sikiyo) cell.Caption.clear();
  problemNo = 0;
  module_.resultSaved = 0;
  tokutenyo.Caption = SignedText(0);
  HideFormulaEntry();
  NewProblem();
}

void Form1::m1a_Click() { Command1_Click(); }

void Form1::HideFormulaEntry() {
  TextA1.Text.clear();
  TextA1.Visible = false;
  TextA2.Text.clear();
  TextA2.Visible = false;
  TextB.Text.clear();
  TextB.Visible = false;
  LaY.Visible = false;
  LaX1.Visible = false;
  LaX2.Visible = false;
  Line3.Visible = false;
  La2.Visible = false;
  enter.Visible = false;
}

void Form1::m1c_Click() {
  module_.totalScore = 0;
  windows_.ShowResultsModeless();
}

void Form1::tokutenyo_Click() { m1c_Click(); }

void Form1::Command5_Click() { windows_.EndProgram(); }

void Form1::m1d_Click() { Command5_Click(); }

void Form1::helpyo_Click() { windows_.ShowHelp(); }

void Form1::m5c_Click() { windows_.ShowHelp(); }

}  // namespace tavri
