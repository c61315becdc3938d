// What a scenario needs of a front end: one small driver per front end
// (the core on a front end in memory, Qt offscreen, Win32 under Wine, the
// browser) plays the same scenario files through its real windows. Every
// step acts as the player would (a click on the native button, keys to the
// control that has the focus, characters typed into the native box) and
// every check reads back what the native window shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/core/front_end.h"
#include "shared/commands.h"
#include "shared/message.h"
#include "shared/x_range.h"

namespace tavri::scenario {

enum class Key { Enter, ShiftEnter, CtrlEnter, AltEnter, KeypadEnter, Tab, ShiftTab, Space, Escape };

// A box as it is on the screen.
struct BoxSeen {
  WindowId owner = WindowId::Game;
  std::string title;
  std::string text;  // line breaks as carriage returns
  MessageIcon icon = MessageIcon::Exclamation;
  MessageButtons buttons = MessageButtons::Ok;
  int defaultButton = 0;
};

// A control as it is on the screen.
struct ControlSeen {
  std::string text;
  bool visible = false;   // the control and every container it is in
  bool enabled = false;
  PixelRect rect;         // in the window's client area, pixels
  int widthPercent = 100; // labels: how far the font is narrowed
};

struct WindowSeen {
  bool exists = false;
  bool visible = false;
  bool active = false;
  bool takesInput = false;
  std::optional<WindowId> owner;
  PixelRect frame;    // on the screen
  PixelSize client;   // the client area, pixels
};

class Driver {
 public:
  virtual ~Driver() = default;

  // --- Before the start ----------------------------------------------------------------
  // The results file's bytes when the program starts (nothing: no file).
  virtual void SetResultsFile(const std::optional<std::string>& bytes) = 0;
  // Draws of the random source, in order, after those already queued.
  virtual void QueueRandom(const std::vector<float>& draws) = 0;
  // Starts the program; returns once the game window is shown and active.
  virtual void Start() = 0;

  // --- The player ----------------------------------------------------------------------
  virtual void Click(WindowId window, int control) = 0;
  virtual void ChooseMenu(int item) = 0;  // the game window's menu
  // Types the text into the box character by character, as a keyboard
  // would, after giving it the focus.
  virtual void Type(WindowId window, int control, const std::string& text) = 0;
  // A key to whatever has the keyboard focus now.
  virtual void Press(Key key) = 0;
  // Characters typed, as a keyboard would, into whatever has the focus.
  virtual void TypeIntoFocus(const std::string& text) = 0;
  // The player makes the window active (a click on its title bar).
  virtual void Activate(WindowId window) = 0;
  virtual void CloseBox(WindowId window) = 0;
  // The countdown's timer fires (the driver's own timer, never real time).
  virtual void Tick() = 0;
  // The box on the screen, if one is open.
  virtual std::optional<BoxSeen> OpenBox() = 0;
  virtual void AnswerBox(MessageAnswer answer) = 0;

  // --- What the screen shows -------------------------------------------------------------
  virtual WindowSeen Window(WindowId window) = 0;
  virtual ControlSeen Control(WindowId window, int control) = 0;
  // The control that has the keyboard focus, if one of this window's does.
  virtual std::optional<int> Focus(WindowId window) = 0;
  virtual bool MenuChecked(int item) = 0;
  virtual bool TimerRunning() = 0;
  virtual int Beeps() = 0;
  virtual ScreenInfo Screen() = 0;
  // The results file's bytes now (nothing: no file).
  virtual std::optional<std::string> ResultsFile() = 0;
  // From now on, the moment `shown` is next shown on the screen, what the
  // control of `window` shows is kept for Snapshot (before anything else
  // happens: the screen as the player sees it when the window opens).
  virtual void SnapshotWhenShown(WindowId shown, WindowId window, int control) = 0;
  // The text kept; nothing while the window has not been shown since.
  virtual std::optional<std::string> Snapshot() = 0;
};

}  // namespace tavri::scenario
