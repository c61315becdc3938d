#include "app/core/window_order.h"

#include <algorithm>
#include <limits>

namespace tavri {

namespace {

bool TakesFocus(const ControlDesign& control) {
  return (control.kind == ControlKind::Button || control.kind == ControlKind::TextBox) &&
         control.tabIndex != kNoTabStop;
}

int Layer(const ControlDesign& control) {
  switch (control.kind) {
    case ControlKind::Label: return 0;
    case ControlKind::Line: return 1;
    case ControlKind::Frame: return 2;
    case ControlKind::Button:
    case ControlKind::TextBox: return 3;
  }
  return 0;
}

// Buttons and boxes lie in tab order; every other control keeps its row.
int TabKey(const ControlDesign& control) {
  if (Layer(control) != 3) return 0;
  return TakesFocus(control) ? control.tabIndex : std::numeric_limits<int>::max();
}

const ControlDesign& Row(const WindowDesign& design, int row) {
  return design.controls[static_cast<std::size_t>(row)];
}

}  // namespace

std::vector<int> StackingOrder(const WindowDesign& design) {
  std::vector<int> order;
  for (std::size_t row = 0; row < design.controls.size(); ++row)
    order.push_back(static_cast<int>(row));
  std::stable_sort(order.begin(), order.end(), [&design](int a, int b) {
    const ControlDesign& first = Row(design, a);
    const ControlDesign& second = Row(design, b);
    if (Layer(first) != Layer(second)) return Layer(first) < Layer(second);
    return TabKey(first) < TabKey(second);
  });
  return order;
}

std::vector<int> TabOrder(const WindowDesign& design) {
  std::vector<int> order;
  for (std::size_t row = 0; row < design.controls.size(); ++row)
    if (TakesFocus(design.controls[row])) order.push_back(static_cast<int>(row));
  std::stable_sort(order.begin(), order.end(), [&design](int a, int b) {
    return Row(design, a).tabIndex < Row(design, b).tabIndex;
  });
  return order;
}

bool Usable(const WindowDesign& design, const WindowState& state, int control) {
  const auto usable = [&state](int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= state.controls.size()) return false;
    const ControlState& shown = state.controls[static_cast<std::size_t>(row)];
    return shown.visible && shown.enabled;
  };
  if (!usable(control) || static_cast<std::size_t>(control) >= design.controls.size()) return false;
  const int container = Row(design, control).container;
  return container == kOnClientArea || usable(container);
}

std::optional<int> FirstFocus(const WindowDesign& design, const WindowState& state) {
  for (int row : TabOrder(design))
    if (Usable(design, state, row)) return row;
  return std::nullopt;
}

std::optional<int> NextFocus(const WindowDesign& design, const WindowState& state, int after) {
  const std::vector<int> order = TabOrder(design);
  const auto at = std::find(order.begin(), order.end(), after);
  const std::size_t start = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin()) + 1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const int row = order[(start + i) % order.size()];
    if (Usable(design, state, row)) return row;
  }
  return std::nullopt;
}

}  // namespace tavri
