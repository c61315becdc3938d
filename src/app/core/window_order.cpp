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

std::optional<int> FirstFocus(const WindowDesign& design, const WindowState& state) {
  const auto usable = [&state](int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= state.controls.size()) return false;
    const ControlState& control = state.controls[static_cast<std::size_t>(row)];
    return control.visible && control.enabled;
  };
  for (int row : TabOrder(design)) {
    const int container = Row(design, row).container;
    if (usable(row) && (container == kOnClientArea || usable(container))) return row;
  }
  return std::nullopt;
}

}  // namespace tavri
