// The real windows of the Win32 front end in the test's own process, over
// the real core and a real results file in a scratch folder; only the
// random numbers, the message boxes, the countdown's clock and the beep are
// the test's. Tests drive the windows with window messages and read back
// what they show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/program.h"
#include "app/win32/program_windows.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "support/scripted_random.h"

namespace tavri::test {

// A box the program asked for, and what the screen showed at that moment.
struct ShownBox {
  HWND owner;
  Message message;
  std::wstring fifthMark;  // the game window's fifth mark cell
};

class AnsweringBoxes : public win32::MessageBoxes {
 public:
  MessageAnswer Show(HWND owner, const Message& message) override;
  std::vector<ShownBox> shown;
  std::deque<MessageAnswer> answers;  // then OK
  std::function<std::wstring()> fifthMark;
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

class ProgramFixture : public ::testing::Test {
 public:
  ProgramFixture();
  ~ProgramFixture() override;

  // Starts the program and answers the notice of the first activation.
  void StartProgram();
  // Runs the posted messages through the front end's own loop step until
  // `done` holds (at most five seconds); false if it never did.
  bool PumpUntil(const std::function<bool()>& done);
  void Pump();

  win32::DesignedWindow* Window(WindowId id) { return windows->Window(id); }
  HWND Control(WindowId id, int control);
  std::wstring Text(WindowId id, int control);
  bool Visible(WindowId id, int control);
  bool Enabled(WindowId id, int control);
  // A click as the button gets it from the mouse.
  void Click(WindowId id, int control);
  // Characters typed into a box, one WM_CHAR each.
  void Type(WindowId id, int control, const std::wstring& text);
  void PressEnterIn(WindowId id, int control);
  // A key pressed while `focus` has the keyboard, through the message loop.
  void PressKey(HWND focus, WPARAM key);
  void ChooseMenu(int item);
  // The boxes shown since the last call.
  std::vector<ShownBox> TakeBoxes();
  std::string ResultsBytes() const;

  std::wstring folder;
  std::string resultsPath;
  SystemFileSystem files;
  std::unique_ptr<ResultsStore> store;
  ScriptedRandom random;
  std::unique_ptr<Program> program;
  AnsweringBoxes boxes;
  HandTickedCountdown countdown;
  int beeps = 0;
  std::unique_ptr<win32::ProgramWindows> windows;
};

// The text of the design's caption or quoted text, as Windows holds it.
std::wstring Wide(std::string_view utf8);

}  // namespace tavri::test
