#include "scenarios/checks.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <stdexcept>

#include "results/core/code_page.h"
#include "scenarios/names.h"
#include "shared/utf8.h"

namespace tavri::scenario {

namespace {

// What a control or window showed when a check of it failed; nothing when
// it passed.
using Shown = std::optional<std::string>;
using ControlTest = std::function<Shown(const ControlSeen&)>;
using WindowTest = std::function<Shown(const WindowSeen&, Stage&)>;

std::string Missing(WindowId window) {
  return "the " + WindowName(window) + " window does not exist";
}

Action OnControl(WindowId window, int control, ControlTest test) {
  return [=](Stage& s) {
    if (!s.driver.Window(window).exists) return s.Check(false, Missing(window));
    if (const Shown shown = test(s.driver.Control(window, control))) s.Check(false, *shown);
  };
}

Action OnWindow(WindowId window, WindowTest test) {
  return [=](Stage& s) {
    const WindowSeen seen = s.driver.Window(window);
    if (!seen.exists) return s.Check(false, Missing(window));
    if (const Shown shown = test(seen, s)) s.Check(false, *shown);
  };
}

Shown Unless(bool passed, const std::string& shown) { return passed ? Shown() : Shown(shown); }

std::string Describe(const PixelRect& rect) {
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.width) + " " + std::to_string(rect.height);
}

std::string Describe(const BoxSeen& box) {
  return "the box " + Quote(box.title) + " " + Quote(box.text) +
         (box.icon == MessageIcon::Question ? " question" : " exclamation") +
         (box.buttons == MessageButtons::OkCancel ? " ok-cancel" : " ok") + " default-" +
         std::to_string(box.defaultButton + 1) + " over " + WindowName(box.owner) + " is open";
}

std::string DescribeFile(const std::optional<std::string>& file) {
  return file ? "the file has " + std::to_string(file->size()) + " bytes" : "there is no file";
}

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (unsigned char byte : bytes) {
    if (!hex.empty()) hex += ' ';
    hex += "0123456789abcdef"[byte >> 4];
    hex += "0123456789abcdef"[byte & 15];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  std::size_t pos = 0;
  while (pos < hex.size()) {
    if (hex[pos] == ' ') {
      ++pos;
      continue;
    }
    unsigned value = 0;
    const char* first = hex.data() + pos;
    if (pos + 2 > hex.size() || std::from_chars(first, first + 2, value, 16).ptr != first + 2)
      throw std::invalid_argument("bytes are written as pairs of hex digits");
    bytes += static_cast<char>(value);
    pos += 2;
  }
  return bytes;
}

// --- The checks ---------------------------------------------------------------------------

Compile Flag(bool ControlSeen::*flag, bool wanted, const std::string& otherwise) {
  return [=](Args& a) {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    a.End();
    return OnControl(window, control, [=](const ControlSeen& seen) {
      return Unless(seen.*flag == wanted, otherwise);
    });
  };
}

Compile Narrowed(bool wanted) {
  return [=](Args& a) {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    a.End();
    return OnControl(window, control, [=](const ControlSeen& seen) {
      return Unless((seen.widthPercent < 100) == wanted,
                    "its font is at " + std::to_string(seen.widthPercent) + " % of its width");
    });
  };
}

Compile Place(bool withSize) {
  return [=](Args& a) {
    const WindowId window = a.Window();
    const int control = a.Control(window);
    PixelRect want{a.Int("left", -10000, 10000), a.Int("top", -10000, 10000), 0, 0};
    if (withSize) want.width = a.Int("width", 0, 10000), want.height = a.Int("height", 0, 10000);
    a.End();
    return OnControl(window, control, [=](const ControlSeen& seen) {
      const PixelRect& at = seen.rect;
      return Unless(at.left == want.left && at.top == want.top &&
                        (!withSize || (at.width == want.width && at.height == want.height)),
                    "it is at " + Describe(at));
    });
  };
}

Compile Input(bool wanted) {
  return [=](Args& a) {
    const WindowId window = a.Window();
    a.End();
    return OnWindow(window, [=](const WindowSeen& seen, Stage&) {
      return Unless(seen.takesInput == wanted, wanted ? "it takes no input" : "it takes input");
    });
  };
}

Compile Checked(bool wanted) {
  return [=](Args& a) -> Action {
    const int item = a.MenuItem();
    a.End();
    return [=](Stage& s) {
      s.Check(s.driver.MenuChecked(item) == wanted,
              wanted ? "it has no check mark" : "it has a check mark");
    };
  };
}

Action Box(Args& a) {
  const std::string title = a.Text("the title");
  const std::optional<std::string> text =
      a.NextIsText() ? std::optional(a.Text("the text")) : std::nullopt;
  std::optional<MessageIcon> icon;
  if (a.Accept("exclamation")) icon = MessageIcon::Exclamation;
  if (a.Accept("question")) icon = MessageIcon::Question;
  std::optional<MessageButtons> buttons;
  if (a.Accept("ok")) buttons = MessageButtons::Ok;
  if (a.Accept("ok-cancel")) buttons = MessageButtons::OkCancel;
  const bool secondDefault = a.Accept("default-2");
  const std::optional<WindowId> owner = a.Accept("over") ? std::optional(a.Window()) : std::nullopt;
  a.End();
  return [=](Stage& s) {
    const std::optional<BoxSeen> box = s.driver.OpenBox();
    if (!box) return s.Check(false, "no box is open");
    s.Check(box->title == title && (!text || box->text == *text) && (!icon || box->icon == *icon) &&
                (!buttons || box->buttons == *buttons) &&
                (!secondDefault || box->defaultButton == 1) && (!owner || box->owner == *owner),
            Describe(*box));
  };
}

Action NoBox(Args& a) {
  a.End();
  return [](Stage& s) {
    const std::optional<BoxSeen> box = s.driver.OpenBox();
    s.Check(!box, box ? Describe(*box) : "");
  };
}

Action Text(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  const std::string text = a.Text("the text");
  a.End();
  return OnControl(window, control, [=](const ControlSeen& seen) {
    return Unless(seen.text == text, "it shows " + Quote(seen.text));
  });
}

Action WindowState(Args& a) {
  const WindowId window = a.Window();
  const std::string wanted = a.OneOf<std::string>(
      "the state", {{"open", "open"}, {"hidden", "hidden"}, {"closed", "closed"}});
  a.End();
  return [=](Stage& s) {
    const WindowSeen seen = s.driver.Window(window);
    const std::string state = !seen.exists ? "closed" : seen.visible ? "open" : "hidden";
    s.Check(state == wanted, "it is " + state);
  };
}

Action Active(Args& a) {
  const WindowId window = a.Window();
  a.End();
  return [=](Stage& s) {
    std::string active = "no window of the program is active";
    for (const Named& other : WindowNames())
      if (s.driver.Window(static_cast<WindowId>(other.id)).active)
        active = "the active window is " + other.name;
    s.Check(s.driver.Window(window).active, active);
  };
}

Action Focus(Args& a) {
  const WindowId window = a.Window();
  const int control = a.Control(window);
  a.End();
  return [=](Stage& s) {
    const std::optional<int> focus = s.driver.Focus(window);
    s.Check(focus == control,
            focus ? "the focus is on " + ControlName(window, *focus)
                  : "no control of the " + WindowName(window) + " window has the focus");
  };
}

Action Owner(Args& a) {
  const WindowId window = a.Window();
  const std::optional<WindowId> owner = a.Accept("none") ? std::nullopt : std::optional(a.Window());
  a.End();
  return OnWindow(window, [=](const WindowSeen& seen, Stage&) {
    return Unless(seen.owner == owner,
                  seen.owner ? "it is owned by " + WindowName(*seen.owner) : "it has no owner");
  });
}

// Centred within a pixel, unless that would leave the work area: then kept
// inside it, its top-left corner first.
Action Centred(Args& a) {
  const WindowId window = a.Window();
  if (!a.Accept("on")) throw std::invalid_argument("'on' is missing");
  const std::optional<WindowId> around =
      a.Accept("screen") ? std::nullopt : std::optional(a.Window());
  a.End();
  return OnWindow(window, [=](const WindowSeen& seen, Stage& s) -> Shown {
    const PixelRect area = s.driver.Screen().workArea;
    const WindowSeen other = around ? s.driver.Window(*around) : WindowSeen{};
    if (around && !other.exists) return Missing(*around);
    const PixelRect middle = around ? other.frame : area;
    const PixelRect& frame = seen.frame;
    const int left = std::max(area.left, std::min(middle.left + (middle.width - frame.width) / 2,
                                                  area.left + area.width - frame.width));
    const int top = std::max(area.top, std::min(middle.top + (middle.height - frame.height) / 2,
                                                area.top + area.height - frame.height));
    return Unless(std::abs(frame.left - left) <= 1 && std::abs(frame.top - top) <= 1,
                  "its frame is at " + Describe(frame) + ", centred it would start at " +
                      std::to_string(left) + " " + std::to_string(top));
  });
}

Action InsideScreen(Args& a) {
  const WindowId window = a.Window();
  a.End();
  return OnWindow(window, [](const WindowSeen& seen, Stage& s) {
    const PixelRect area = s.driver.Screen().workArea;
    const PixelRect& f = seen.frame;
    return Unless(f.left >= area.left && f.top >= area.top &&
                      f.left + f.width <= area.left + area.width &&
                      f.top + f.height <= area.top + area.height,
                  "its frame is at " + Describe(f) + ", the work area at " + Describe(area));
  });
}

Action Client(Args& a) {
  const WindowId window = a.Window();
  const PixelSize size{a.Int("width", 0, 10000), a.Int("height", 0, 10000)};
  a.End();
  return OnWindow(window, [=](const WindowSeen& seen, Stage&) {
    return Unless(seen.client == size, "its client area is " + std::to_string(seen.client.width) +
                                           " × " + std::to_string(seen.client.height));
  });
}

Action Timer(Args& a) {
  const bool running = a.OneOf<bool>("the timer", {{"running", true}, {"stopped", false}});
  a.End();
  return [=](Stage& s) {
    s.Check(s.driver.TimerRunning() == running, running ? "it is stopped" : "it is running");
  };
}

Action Beeps(Args& a) {
  const int beeps = a.Int("the number of beeps", 0, 1000);
  a.End();
  return [=](Stage& s) {
    const int heard = s.driver.Beeps();
    s.Check(heard == beeps, std::to_string(heard) + " beeps were heard");
  };
}

Action File(Args& a) {
  if (!a.Accept("none")) throw std::invalid_argument("'expect file' takes 'none'");
  a.End();
  return [](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    s.Check(!file, DescribeFile(file));
  };
}

Action FileSize(Args& a) {
  const int size = a.Int("the size", 0, 1 << 20);
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    s.Check(file && file->size() == static_cast<std::size_t>(size), DescribeFile(file));
  };
}

// "expect record <n> "<name>" <score>" or "expect record <n> hex "<bytes>" <score>"
Action Record(Args& a) {
  const int number = a.Int("the record", 1, 1000);
  const bool hex = a.Accept("hex");
  const std::string name =
      hex ? FromHex(a.Text("the name's bytes")) : ToCp932(ToUtf32(a.Text("the name")));
  const std::string record = RecordOf(name, a.Int("the score", -32768, 32767));
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> file = s.driver.ResultsFile();
    const std::size_t at = static_cast<std::size_t>(number - 1) * 12;
    if (!file || file->size() < at + 12) return s.Check(false, DescribeFile(file));
    const std::string held = file->substr(at, 12);
    s.Check(held == record, "it holds " + Hex(held) + ", not " + Hex(record));
  };
}

Action Snapshot(Args& a) {
  const std::string text = a.Text("the text");
  a.End();
  return [=](Stage& s) {
    const std::optional<std::string> kept = s.driver.Snapshot();
    s.Check(kept == text,
            kept ? "it showed " + Quote(*kept) : "the window has not been shown since");
  };
}

}  // namespace

const std::map<std::string, Compile, std::less<>>& Checks() {
  static const std::map<std::string, Compile, std::less<>> checks{
      {"box", Box},
      {"no-box", NoBox},
      {"text", Text},
      {"shown", Flag(&ControlSeen::visible, true, "it is hidden")},
      {"hidden", Flag(&ControlSeen::visible, false, "it is shown")},
      {"enabled", Flag(&ControlSeen::enabled, true, "it is disabled")},
      {"disabled", Flag(&ControlSeen::enabled, false, "it is enabled")},
      {"window", WindowState},
      {"active", Active},
      {"blocked", Input(false)},
      {"usable", Input(true)},
      {"focus", Focus},
      {"checked", Checked(true)},
      {"unchecked", Checked(false)},
      {"timer", Timer},
      {"beeps", Beeps},
      {"owner", Owner},
      {"centred", Centred},
      {"inside-screen", InsideScreen},
      {"rect", Place(true)},
      {"top-left", Place(false)},
      {"client", Client},
      {"narrowed", Narrowed(true)},
      {"not-narrowed", Narrowed(false)},
      {"file", File},
      {"file-size", FileSize},
      {"record", Record},
      {"snapshot", Snapshot},
  };
  return checks;
}

}  // namespace tavri::scenario
