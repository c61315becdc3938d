// A loaded game window with recording doubles, and the random draws that
// make the problem generator produce a chosen problem. Header only: the
// widget tests link tests/support/*.cpp without GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/core/form1.h"
#include "support/fake_platform.h"
#include "support/fake_windows.h"

namespace tavri::test {

inline constexpr int kEnterKey = 13;
inline const std::string kRight = "○";
inline const std::string kWrong = "×";

// A value r with ⌊count·r⌋ = outcome, well away from the edges.
inline float DrawOf(int outcome, int count) {
  return (static_cast<float>(outcome) + 0.5f) / static_cast<float>(count);
}

// The draws that make a problem of this kind and these coefficients: a and b
// from −4 … 4 (not 0), or a from ±6, ±12, ±18 for an inverse proportion.
inline std::vector<float> ProblemDraws(int kind, int a, int b = 1) {
  std::vector<float> draws{DrawOf(kind, 3)};
  if (kind == kInverse) {
    draws.push_back(DrawOf(std::abs(a) / 6 - 1, 3));
    draws.push_back(a < 0 ? 0.25f : 0.75f);
    return draws;
  }
  draws.push_back(DrawOf(a + 4, 9));
  if (kind == kLinear) draws.push_back(DrawOf(b + 4, 9));
  return draws;
}

// The draws of a random x row: its first value (−7 … 1), then the steps
// (1 … 3) to the next four.
inline std::vector<float> RowDraws(int first, std::array<int, 4> steps) {
  std::vector<float> draws{DrawOf(first + 7, 9)};
  for (int step : steps) draws.push_back(DrawOf(step - 1, 3));
  return draws;
}

class Form1Fixture : public ::testing::Test {
 protected:
  Form1Fixture() { form.Form_Load(); }

  void Queue(const std::vector<float>& draws) {
    platform.randomScript.insert(platform.randomScript.end(), draws.begin(), draws.end());
  }
  void QueueProblem(int kind, int a, int b = 1) { Queue(ProblemDraws(kind, a, b)); }

  // Start, with problem 1 as given.
  void Start(int kind, int a, int b = 1) {
    QueueProblem(kind, a, b);
    form.Command1_Click();
  }

  void Tick(int times = 1) {
    for (int i = 0; i < times; ++i) form.Timer1_Timer();
  }

  // Types into the boxes the open formula entry shows, pressing Enter in each
  // box in turn as a player would.
  void EnterFormula(const std::string& a, const std::string& b = "") {
    if (form.TextA2.Visible) {
      form.TextA2.Text = a;
      form.TextA2_KeyPress(kEnterKey);
      return;
    }
    form.TextA1.Text = a;
    form.TextA1_KeyPress(kEnterKey);
    if (form.TextB.Visible) {
      form.TextB.Text = b;
      form.TextB_KeyPress(kEnterKey);
    }
  }

  // Both stages right. The next problem's draws must be queued first.
  void AnswerRight() {
    const auto a = std::to_string(form.coefA);
    const auto b = std::to_string(form.coefB);
    form.kotae_Click(form.kind);
    EnterFormula(a, b);
  }

  const std::string& Mark(int problem) const {
    return form.sikiyo[static_cast<std::size_t>(problem - 1)].Caption;
  }
  std::vector<std::string> XRow() const { return Cells(0); }
  std::vector<std::string> YRow() const { return Cells(5); }
  bool AnyButtonEnabled() const {
    for (const auto& button : form.kotae)
      if (button.Enabled) return true;
    return false;
  }
  bool FormulaEntryShown() const {
    return form.LaY.Visible || form.TextA1.Visible || form.TextA2.Visible ||
           form.TextB.Visible || form.LaX1.Visible || form.LaX2.Visible ||
           form.Line3.Visible || form.La2.Visible || form.enter.Visible;
  }

  Module1 module;
  FakePlatform platform;
  FakeForm1Windows windows;
  Form1 form{module, platform, windows};

 private:
  std::vector<std::string> Cells(std::size_t first) const {
    std::vector<std::string> row;
    for (std::size_t d = first; d < first + 5; ++d) row.push_back(form.mondai[d].Caption);
    return row;
  }
};

}  // namespace tavri::test
