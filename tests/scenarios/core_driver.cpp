#include "scenarios/core_driver.h"

#include <stdexcept>

#include "scenarios/names.h"
#include "shared/design_units.h"
#include "shared/utf8.h"

namespace tavri::scenario {

namespace {

constexpr int kEnter = 13, kCtrlEnter = 10;

}  // namespace

void CoreDriver::Desktop::Show(WindowId window) {
  RecordingFrontEnd::Show(window);
  if (watch && watch->shown == window && !watch->seen) {
    const auto& controls = Of(watch->window).look.controls;
    const auto row = static_cast<std::size_t>(watch->control);
    watch->seen = row < controls.size() ? controls[row].text : std::string();
  }
}

void CoreDriver::Desktop::ShowBox(WindowId owner, const Message& message) {
  RecordingFrontEnd::ShowBox(owner, message);
  boxFocus = message.defaultButton;
}

CoreDriver::CoreDriver() {
  // Every draw past those queued makes y = −4x, in every driver.
  random_.whenUsedUp = 0.1f;
}

void CoreDriver::SetResultsFile(const std::optional<std::string>& bytes) {
  if (bytes) results_.Put(*bytes);
}

bool CoreDriver::Reaches(WindowId window, const char* act, bool mustBeActive) {
  const std::string name = WindowName(window);
  if (!Window(window).visible)
    throw std::logic_error(std::string(act) + ": the " + name + " window is not open");
  if (front_.box || !front_.Of(window).takesInput) return false;
  if (mustBeActive && front_.active != window)
    throw std::logic_error(std::string(act) + ": the " + name +
                           " window is not the active one; a play activates it first");
  return true;
}

const ControlDesign& CoreDriver::DesignOf(WindowId window, int control) {
  return front_.Of(window).setup.design->controls[static_cast<std::size_t>(control)];
}

void CoreDriver::Click(WindowId window, int control) {
  if (!Reaches(window, "click", true) || !front_.Usable(window, control)) return;
  const ControlKind kind = DesignOf(window, control).kind;
  if (kind != ControlKind::Button && kind != ControlKind::TextBox) return;
  front_.Of(window).focus = control;
  if (kind == ControlKind::Button) host_.OnClick(window, control);
}

void CoreDriver::ChooseMenu(int item) {
  if (!Reaches(WindowId::Game, "menu", true)) return;
  const MenuDesign& menu =
      front_.Of(WindowId::Game).setup.design->menus[static_cast<std::size_t>(item)];
  if (menu.level == MenuLevel::Item && !menu.separator) host_.OnMenuChosen(WindowId::Game, item);
}

void CoreDriver::Type(WindowId window, int control, const std::string& text) {
  if (!Reaches(window, "type", true)) return;
  if (DesignOf(window, control).kind != ControlKind::TextBox || !front_.Usable(window, control))
    throw std::logic_error("type: " + ControlName(window, control) +
                           " is not a text box shown and enabled");
  front_.Of(window).focus = control;
  TypeIntoFocus(text);
}

void CoreDriver::KeyIntoBox(WindowId window, int control, char32_t character) {
  host_.OnKeyPress(window, control, static_cast<int>(character));
  // The key still reaches the box; Enter adds nothing to one line.
  if (character == kEnter || character == kCtrlEnter || !front_.Of(window).built || front_.ended)
    return;
  std::string& text = front_.Of(window).look.controls[static_cast<std::size_t>(control)].text;
  text += ToUtf8(std::u32string(1, character));
  host_.OnTextEdited(window, control, std::string(text));
}

void CoreDriver::TypeIntoFocus(const std::string& text) {
  for (char32_t character : ToUtf32(text)) {
    if (front_.box || !front_.active) continue;
    const WindowId window = *front_.active;
    const std::optional<int> focus = front_.Of(window).focus;
    if (!focus) continue;
    const ControlKind kind = DesignOf(window, *focus).kind;
    if (kind == ControlKind::TextBox) KeyIntoBox(window, *focus, character);
    if (kind == ControlKind::Button && character == U' ') host_.OnClick(window, *focus);
  }
}

void CoreDriver::Press(Key key) {
  const bool enter = key == Key::Enter || key == Key::ShiftEnter || key == Key::KeypadEnter;
  if (front_.box) {
    // The box's own buttons: Enter and Space press the focused one, Escape
    // is Cancel (OK on a box of one button), Tab moves between them.
    const bool twoButtons = front_.box->second.buttons == MessageButtons::OkCancel;
    if (twoButtons && (key == Key::Tab || key == Key::ShiftTab))
      front_.boxFocus = 1 - front_.boxFocus;
    if (enter || key == Key::Space)
      AnswerBox(front_.boxFocus == 1 ? MessageAnswer::Cancel : MessageAnswer::Ok);
    else if (key == Key::Escape)
      AnswerBox(twoButtons ? MessageAnswer::Cancel : MessageAnswer::Ok);
    return;
  }
  if (!front_.active) return;
  const WindowId window = *front_.active;
  if (key == Key::Tab || key == Key::ShiftTab) return front_.MoveFocusOn(window, key == Key::Tab);
  const std::optional<int> focus = front_.Of(window).focus;
  if (!focus) return;
  if (DesignOf(window, *focus).kind == ControlKind::Button) {
    if (enter || key == Key::Space) host_.OnClick(window, *focus);
    return;
  }
  if (enter) KeyIntoBox(window, *focus, kEnter);
  if (key == Key::CtrlEnter) KeyIntoBox(window, *focus, kCtrlEnter);
  if (key == Key::Space) KeyIntoBox(window, *focus, U' ');
}

void CoreDriver::Activate(WindowId window) {
  if (!Reaches(window, "activate", false) || front_.active == window) return;
  front_.active = window;
  host_.OnActivated(window);
}

void CoreDriver::CloseBox(WindowId window) {
  if (Reaches(window, "close", true)) host_.OnCloseBox(window);
}

void CoreDriver::Tick() {
  if (front_.timerMs && !front_.ended) host_.OnTimerTick();
}

std::optional<BoxSeen> CoreDriver::OpenBox() {
  if (!front_.box) return std::nullopt;
  const auto& [owner, message] = *front_.box;
  return BoxSeen{owner,        message.title,   message.text,
                 message.icon, message.buttons, message.defaultButton};
}

void CoreDriver::AnswerBox(MessageAnswer answer) {
  if (!front_.box) throw std::logic_error("no box is open");
  front_.box.reset();
  host_.OnBoxAnswered(answer);
}

WindowSeen CoreDriver::Window(WindowId window) {
  const test::RecordingFrontEnd::Window& native = front_.Of(window);
  WindowSeen seen;
  seen.exists = native.built && !front_.ended;
  if (!seen.exists) return seen;
  seen.visible = native.shown;
  seen.active = native.shown && front_.active == window;
  seen.takesInput = native.takesInput;
  seen.owner = native.setup.owner;
  seen.frame = front_.Frame(window);
  const WindowDesign& design = *native.setup.design;
  seen.client = {TwipsToPixels(design.clientWidth, native.setup.dpi),
                 TwipsToPixels(design.clientHeight, native.setup.dpi)};
  return seen;
}

// Where the control lies in the client area, as a desktop places it: the
// design's twips at the window's DPI, inside its frame when it is in one.
ControlSeen CoreDriver::Control(WindowId window, int control) {
  const test::RecordingFrontEnd::Window& native = front_.Of(window);
  const auto row = static_cast<std::size_t>(control);
  if (row >= native.look.controls.size()) return {};
  const ControlLook& look = native.look.controls[row];
  const ControlDesign& design = DesignOf(window, control);
  const int dpi = native.setup.dpi;
  ControlSeen seen{look.text, look.visible, look.enabled, {}, look.widthPercent};
  int left = TwipsToPixels(design.left, dpi), top = TwipsToPixels(design.top, dpi);
  int width = TwipsToPixels(design.width, dpi), height = TwipsToPixels(design.height, dpi);
  if (design.kind == ControlKind::Line) {
    // Its two ends: from the nearer corner, as far as the other end.
    width = std::abs(width - left), height = std::abs(height - top);
    left = std::min(left, TwipsToPixels(design.width, dpi));
    top = std::min(top, TwipsToPixels(design.height, dpi));
  }
  if (design.container != kOnClientArea) {
    const ControlSeen frame = Control(window, design.container);
    left += frame.rect.left, top += frame.rect.top;
    seen.visible = seen.visible && frame.visible;
  }
  if (look.size) width = look.size->width, height = look.size->height;
  seen.rect = {left, top, width, height};
  return seen;
}

std::optional<int> CoreDriver::Focus(WindowId window) {
  if (front_.box || front_.active != window || !Window(window).visible) return std::nullopt;
  return front_.Of(window).focus;
}

bool CoreDriver::MenuChecked(int item) {
  const std::vector<bool>& checked = front_.Of(WindowId::Game).look.menuChecked;
  return static_cast<std::size_t>(item) < checked.size() && checked[static_cast<std::size_t>(item)];
}

void CoreDriver::SnapshotWhenShown(WindowId shown, WindowId window, int control) {
  front_.watch = Desktop::Watch{shown, window, control, std::nullopt};
}

std::optional<std::string> CoreDriver::Snapshot() {
  return front_.watch ? front_.watch->seen : std::nullopt;
}

}  // namespace tavri::scenario
