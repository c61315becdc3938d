// A game window over the game with the test doubles: message boxes are
// recorded and answered at once, the other windows only counted.
#pragma once

#include <QString>
#include <QWidget>

#include "game/core/form1.h"
#include "game/ui/form1_window.h"
#include "shared/module1.h"
#include "support/fake_platform.h"
#include "support/fake_windows.h"

namespace tavri::test {

struct GameWindowFixture {
  Module1 module;
  FakePlatform platform;
  FakeForm1Windows windows;
  Form1 form{module, platform, windows};
  Form1Window window{form};

  template <typename T>
  T* Find(const QString& name) const {
    return window.findChild<T*>(name);
  }
};

// Random draws that make a problem of y = a·x with a = 4 on the range
// －２～２ (the kind, then the coefficient): enough for one problem.
inline void ScriptProportionalProblem(FakePlatform& platform) {
  platform.randomScript.push_back(0.0f);  // kind 0
  platform.randomScript.push_back(0.9f);  // a = floor(9 * 0.9) - 4 = 4
}

}  // namespace tavri::test
