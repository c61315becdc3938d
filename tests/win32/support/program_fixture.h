// The real windows of the Win32 front end in the test's own process, run by
// the real host over the real core and a real results file in a scratch
// folder; only the random numbers, the message boxes, the countdown's clock
// and the beep are the test's. Tests and the scenario driver act on the
// windows with window messages and read back what they show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/win32/windows_front_end.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "support/scripted_random.h"

namespace tavri::test {

// A box the program asked for.
struct ShownBox {
  HWND owner;
  Message message;
};

// Boxes answered OK at once, held open until Answer when `hold` is set, or
// shown by the system when `system` is.
class TestBoxes : public win32::MessageBoxes {
 public:
  void Show(HWND owner, const Message& message, Answered answered) override;
  bool open() const { return static_cast<bool>(answered_); }
  void Answer(MessageAnswer answer);

  std::vector<ShownBox> shown;
  bool hold = false;
  bool system = false;

 private:
  Answered answered_;
};

class HandTickedCountdown : public win32::Countdown {
 public:
  void Start(int intervalMs) override {
    running = true;
    starts.push_back(intervalMs);
  }
  void Stop() override { running = false; }
  // A tick, as the clock would give it while running.
  void TickNow() {
    if (running) Tick();
  }
  bool running = false;
  std::vector<int> starts;
};

class TestProgram {
 public:
  TestProgram();
  ~TestProgram();
  TestProgram(const TestProgram&) = delete;
  TestProgram& operator=(const TestProgram&) = delete;

  // Starts the program and runs what it posted; false if no game window
  // came up active.
  bool Start();
  // Runs the posted messages through the front end's own loop step until
  // `done` holds (at most five seconds); false if it never did.
  bool PumpUntil(const std::function<bool()>& done);
  void Pump();

  win32::DesignedWindow* Window(WindowId id) { return front->Window(id); }
  HWND Handle(WindowId id);
  HWND Control(WindowId id, int control);
  std::wstring Text(WindowId id, int control);
  bool Enabled(WindowId id, int control);
  // A click as the button gets it from the mouse.
  void Click(WindowId id, int control);
  // Characters typed into a box, one WM_CHAR each.
  void Type(WindowId id, int control, const std::wstring& text);
  // A key pressed while `focus` has the keyboard and the `held` keys
  // (VK_SHIFT, VK_CONTROL, VK_MENU) are down, through the message loop.
  void PressKey(HWND focus, WPARAM key, std::initializer_list<BYTE> held = {});
  // The same to `target` as it is, the keypad's own key when `extended`.
  void SendKey(HWND target, WPARAM key, std::initializer_list<BYTE> held = {},
               bool extended = false);
  void ChooseMenu(int item);
  std::string ResultsBytes() const;

  std::wstring folder;
  std::string resultsPath;
  SystemFileSystem files;
  std::unique_ptr<ResultsStore> store;
  ScriptedRandom random;
  std::unique_ptr<Program> program;
  TestBoxes boxes;
  HandTickedCountdown countdown;
  int beeps = 0;
  std::unique_ptr<win32::WindowsFrontEnd> front;
  std::unique_ptr<Host> host;
};

class ProgramFixture : public ::testing::Test, public TestProgram {
 public:
  // Starts the program and answers the notice of the first activation.
  void StartProgram() { ASSERT_TRUE(Start() && !boxes.shown.empty()) << "no start notice"; }
};

// The text of the design's caption or quoted text, as Windows holds it.
std::wstring Wide(std::string_view utf8);

// The control's font, and the average character width of its face at its
// height before any narrowing.
struct DrawnFont {
  LOGFONTW font;
  LONG fullWidth;
};
DrawnFont FontOf(HWND control);

}  // namespace tavri::test
