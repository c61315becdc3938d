#include "page_front_end.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdio>

#include "app/core/text_fitting.h"
#include "app/core/window_order.h"
#include "shared/design_units.h"

// The page's side of each primitive: Module.frontEnd (front_end.js). Numbers
// that come back are written into the caller's ints.
// clang-format off
EM_JS(void, tavri_page_screen, (int window, int* out), {
  const area = Module.frontEnd.screen(window);
  HEAP32.set([area.left, area.top, area.width, area.height, area.dpi], out >> 2);
});
EM_JS(void, tavri_page_measure, (const char* text, int px, int bold, int percent, int wrapWidth, int* out), {
  const extent = Module.frontEnd.measureText(UTF8ToString(text), px, !!bold, percent, wrapWidth);
  HEAP32.set([extent.width, extent.height, extent.lines, extent.descent], out >> 2);
});
EM_JS(void, tavri_page_frame, (int window, int* out), {
  const frame = Module.frontEnd.frame(window);
  HEAP32.set([frame.left, frame.top, frame.width, frame.height], out >> 2);
});
EM_JS(int, tavri_page_focused, (int window), { return Module.frontEnd.focusedControl(window); });
EM_JS(void, tavri_page_build, (const char* setup), { Module.frontEnd.build(JSON.parse(UTF8ToString(setup))); });
EM_JS(void, tavri_page_move, (int window, int left, int top), { Module.frontEnd.move(window, left, top); });
EM_JS(void, tavri_page_draw, (int window, const char* look), { Module.frontEnd.draw(window, JSON.parse(UTF8ToString(look))); });
EM_JS(void, tavri_page_show, (int window), { Module.frontEnd.show(window); });
EM_JS(void, tavri_page_hide, (int window), { Module.frontEnd.hide(window); });
EM_JS(void, tavri_page_destroy, (int window), { Module.frontEnd.destroy(window); });
EM_JS(void, tavri_page_activate, (int window), { Module.frontEnd.activate(window); });
EM_JS(void, tavri_page_input, (int window, int enabled), { Module.frontEnd.setInputEnabled(window, !!enabled); });
EM_JS(void, tavri_page_focus, (int window, int control), { Module.frontEnd.focus(window, control); });
EM_JS(void, tavri_page_start_timer, (int intervalMs), { Module.frontEnd.startTimer(intervalMs); });
EM_JS(void, tavri_page_stop_timer, (), { Module.frontEnd.stopTimer(); });
EM_JS(void, tavri_page_beep, (), { Module.frontEnd.beep(); });
EM_JS(void, tavri_page_box, (const char* message), { Module.frontEnd.showBox(JSON.parse(UTF8ToString(message))); });
EM_JS(void, tavri_page_end, (), { Module.frontEnd.end(); });
EM_JS(double, tavri_page_random, (), { return Module.frontEnd.random(); });
// clang-format on

namespace tavri {

namespace {

int Id(WindowId window) { return static_cast<int>(window); }

// Just enough JSON for the page: objects, arrays, texts, numbers.
class Json {
 public:
  Json& Key(std::string_view key) {
    Separate();
    Quoted(key);
    out_ += ':';
    fresh_ = true;
    return *this;
  }
  Json& String(std::string_view text) {
    Separate();
    Quoted(text);
    return *this;
  }
  Json& Number(long long value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
  }
  Json& Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
  }
  Json& Null() {
    Separate();
    out_ += "null";
    return *this;
  }
  Json& Colour(const std::optional<Rgb>& colour) {
    if (!colour) return Null();
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", colour->red, colour->green, colour->blue);
    return String(css);
  }
  Json& Open(char bracket) {
    Separate();
    out_ += bracket;
    fresh_ = true;
    return *this;
  }
  Json& Close(char bracket) {
    out_ += bracket;
    fresh_ = false;
    return *this;
  }
  const std::string& text() const { return out_; }

 private:
  void Separate() {
    if (!fresh_) out_ += ',';
    fresh_ = false;
  }
  // UTF-8 passes as it is; quotes, backslashes and control characters
  // (the carriage returns of a box's text) are escaped.
  void Quoted(std::string_view text) {
    out_ += '"';
    for (char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += c;
      } else if (byte < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
        out_ += escaped;
      } else {
        out_ += c;
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool fresh_ = true;
};

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "label";
    case ControlKind::Button: return "button";
    case ControlKind::TextBox: return "box";
    case ControlKind::Frame: return "frame";
    case ControlKind::Line: return "line";
  }
  return "label";
}

const char* AlignName(Align align) {
  switch (align) {
    case Align::Left: return "left";
    case Align::Centre: return "center";
    case Align::Right: return "right";
  }
  return "left";
}

void Numbers(Json& json, const std::vector<int>& numbers) {
  json.Open('[');
  for (int number : numbers) json.Number(number);
  json.Close(']');
}

}  // namespace

std::string SetupJson(const WindowSetup& setup) {
  const WindowDesign& design = *setup.design;
  const int dpi = setup.dpi;
  Json json;
  json.Open('{');
  json.Key("window").Number(Id(setup.window));
  json.Key("design").String(design.designName);
  json.Key("caption").String(design.caption);
  json.Key("width").Number(TwipsToPixels(design.clientWidth, dpi));
  json.Key("height").Number(TwipsToPixels(design.clientHeight, dpi));
  json.Key("back").Colour(design.back);
  json.Key("owner");
  if (setup.owner)
    json.Number(Id(*setup.owner));
  else
    json.Null();
  json.Key("controls").Open('[');
  for (const ControlDesign& control : design.controls) {
    const FontSpec font = DesignFontOf(design, control, dpi);
    json.Open('{');
    json.Key("design").String(control.designName);
    json.Key("kind").String(KindName(control.kind));
    json.Key("container").Number(control.container);
    // A line's two ends; every other control's box.
    json.Key("left").Number(TwipsToPixels(control.left, dpi));
    json.Key("top").Number(TwipsToPixels(control.top, dpi));
    json.Key("width").Number(TwipsToPixels(control.width, dpi));
    json.Key("height").Number(TwipsToPixels(control.height, dpi));
    json.Key("fontPx").Number(PointsToPixels(font.points, dpi));
    json.Key("bold").Bool(font.bold);
    json.Key("back").Colour(control.back);
    json.Key("fore").Colour(control.fore);
    json.Key("align").String(AlignName(control.align));
    json.Key("autoSize").Bool(control.autoSize);
    json.Key("lineWidth").Number(ScalePixels(control.lineWidth, dpi));
    json.Key("caption").String(control.caption);
    json.Close('}');
  }
  json.Close(']');
  json.Key("menus").Open('[');
  for (const MenuDesign& menu : design.menus) {
    json.Open('{');
    json.Key("design").String(menu.designName);
    json.Key("top").Bool(menu.level == MenuLevel::Top);
    json.Key("caption").String(menu.caption);
    json.Key("separator").Bool(menu.separator);
    json.Key("checkable").Bool(menu.checkable);
    json.Close('}');
  }
  json.Close(']');
  json.Key("stacking");
  Numbers(json, setup.stacking);
  json.Key("tabOrder");
  Numbers(json, TabOrder(design));
  json.Close('}');
  return json.text();
}

std::string LookJson(const WindowLook& look) {
  Json json;
  json.Open('{').Key("controls").Open('[');
  for (const ControlLook& control : look.controls) {
    json.Open('{');
    json.Key("text").String(control.text);
    json.Key("visible").Bool(control.visible);
    json.Key("enabled").Bool(control.enabled);
    json.Key("widthPercent").Number(control.widthPercent);
    json.Key("size");
    if (control.size)
      json.Open('[').Number(control.size->width).Number(control.size->height).Close(']');
    else
      json.Null();
    json.Close('}');
  }
  json.Close(']').Key("menuChecked").Open('[');
  for (bool checked : look.menuChecked) json.Bool(checked);
  json.Close(']').Close('}');
  return json.text();
}

std::string MessageJson(WindowId owner, const Message& message) {
  Json json;
  json.Open('{');
  json.Key("owner").Number(Id(owner));
  json.Key("title").String(message.title);
  json.Key("text").String(message.text);
  json.Key("icon").String(message.icon == MessageIcon::Question ? "question" : "exclamation");
  json.Key("buttons").String(message.buttons == MessageButtons::OkCancel ? "ok-cancel" : "ok");
  json.Key("defaultButton").Number(message.defaultButton);
  json.Close('}');
  return json.text();
}

ScreenInfo PageFrontEnd::Screen(std::optional<WindowId> window) {
  std::array<int, 5> area{};
  tavri_page_screen(window ? Id(*window) : -1, area.data());
  return ScreenInfo{PixelRect{area[0], area[1], area[2], area[3]}, area[4]};
}

TextExtent PageFrontEnd::MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) {
  std::array<int, 4> extent{};
  tavri_page_measure(std::string(text).c_str(), PointsToPixels(font.points, font.dpi), font.bold,
                     font.widthPercent, wrapWidth, extent.data());
  return TextExtent{extent[0], extent[1], extent[2], extent[3]};
}

PixelRect PageFrontEnd::Frame(WindowId window) {
  std::array<int, 4> frame{};
  tavri_page_frame(Id(window), frame.data());
  return PixelRect{frame[0], frame[1], frame[2], frame[3]};
}

std::optional<int> PageFrontEnd::FocusedControl(WindowId window) {
  const int control = tavri_page_focused(Id(window));
  return control < 0 ? std::nullopt : std::optional(control);
}

void PageFrontEnd::Build(const WindowSetup& setup) { tavri_page_build(SetupJson(setup).c_str()); }
void PageFrontEnd::Move(WindowId window, PixelPoint topLeft) {
  tavri_page_move(Id(window), topLeft.x, topLeft.y);
}
void PageFrontEnd::Draw(WindowId window, const WindowLook& look) {
  tavri_page_draw(Id(window), LookJson(look).c_str());
}
void PageFrontEnd::Show(WindowId window) { tavri_page_show(Id(window)); }
void PageFrontEnd::Hide(WindowId window) { tavri_page_hide(Id(window)); }
void PageFrontEnd::Destroy(WindowId window) { tavri_page_destroy(Id(window)); }
void PageFrontEnd::Activate(WindowId window) { tavri_page_activate(Id(window)); }
void PageFrontEnd::SetInputEnabled(WindowId window, bool enabled) {
  tavri_page_input(Id(window), enabled);
}
void PageFrontEnd::Focus(WindowId window, int control) { tavri_page_focus(Id(window), control); }
void PageFrontEnd::StartTimer(int intervalMs) { tavri_page_start_timer(intervalMs); }
void PageFrontEnd::StopTimer() { tavri_page_stop_timer(); }
void PageFrontEnd::Beep() { tavri_page_beep(); }
void PageFrontEnd::ShowBox(WindowId owner, const Message& message) {
  tavri_page_box(MessageJson(owner, message).c_str());
}
void PageFrontEnd::End() { tavri_page_end(); }

float PageRandom::Next() {
  // Never 1, whatever the page hands back.
  const auto value = static_cast<float>(tavri_page_random());
  return value >= 0 && value < 1 ? value : 0;
}

}  // namespace tavri
