// The help window: a fixed page of instructions and 戻る, which brings the
// game window back and steps aside.
#pragma once

#include "help/core/help_window_design.h"
#include "shared/window_model.h"

namespace tavri {

class HelpPage : public WindowModel {
 public:
  const WindowDesign& Design() const override { return help_window::Design(); }
  // Nothing on the page ever changes.
  WindowState State() const override { return DesignState(Design()); }

  void OnClick(int control) override {
    if (control == help_window::kBackButton) OnBack();
  }
  // The close box destroys the window; the next opening builds it afresh.
  void OnCloseBox() override { Emit(CloseWindow{WindowId::Help}); }

 private:
  // The game window comes forward, then this window is hidden, kept for the
  // next opening.
  void OnBack() {
    Emit(OpenWindow{WindowId::Game, false});
    Emit(HideWindow{WindowId::Help});
  }
};

}  // namespace tavri
