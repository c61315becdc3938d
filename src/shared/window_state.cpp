#include "shared/window_state.h"

namespace tavri {

WindowState DesignState(const WindowDesign& design) {
  WindowState state;
  state.controls.reserve(design.controls.size());
  for (const ControlDesign& control : design.controls)
    state.controls.push_back(ControlState{control.caption ? control.caption : "", true, true});
  state.menuChecked.assign(design.menus.size(), false);
  return state;
}

}  // namespace tavri
