// The Windows front end of the program: builds the native windows from the
// windows' designs, passes every event to the Program, draws what the
// windows' models show and carries out the Program's commands.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/program.h"
#include "shared/win32/countdown.h"
#include "shared/win32/design_fonts.h"
#include "shared/win32/designed_window.h"
#include "shared/win32/message_boxes.h"

namespace tavri::win32 {

// What the front end needs of the system: message boxes, the countdown's
// clock and the beep. The program uses the real ones; window tests answer
// boxes and tick the countdown themselves.
struct FrontEndServices {
  MessageBoxes& boxes;
  Countdown& countdown;
  std::function<void()> beep;
};

class ProgramWindows : private WindowEvents {
 public:
  ProgramWindows(Program& program, FrontEndServices services);
  ~ProgramWindows() override;
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  // Starts the program: the game window opens.
  void Start();
  // The native window, or nullptr while it does not exist.
  DesignedWindow* Window(WindowId window) const;
  bool ended() const { return ended_; }

  // One message of the thread's loop: keyboard navigation inside our
  // windows (Tab, Enter on a focused button; Escape does nothing), then the
  // usual translation and dispatch.
  void Process(MSG& message);
  // Runs the thread's message loop until the program ends; the exit code.
  int Run();

  // A tick of the countdown's clock.
  void OnCountdownTick();

 private:
  void OnClick(WindowId window, int control) override;
  void OnMenuChosen(WindowId window, int item) override;
  void OnTextEdited(WindowId window, int control, std::string_view text) override;
  void OnKeyPress(WindowId window, int control, int key) override;
  void OnCloseBox(WindowId window) override;
  void OnActivated(WindowId window) override;

  // Draws every open window's state, then carries out the new commands.
  void Sync();
  void DrawAll();
  void Carry(const Command& command);
  void Open(const OpenWindow& open);
  void Close(WindowId window);
  void EndAll();
  bool HandleKeyboard(MSG& message);
  std::unique_ptr<DesignedWindow>& Slot(WindowId window);
  void PlaceNewWindow(DesignedWindow& window);
  void SetOthersEnabled(WindowId except, bool enabled);
  void Bury(std::unique_ptr<DesignedWindow> window);

  Program& program_;
  FrontEndServices services_;
  FontCache fonts_;
  std::array<std::unique_ptr<DesignedWindow>, 3> windows_;
  // Destroyed windows whose code may still be on the stack: freed on the
  // loop's next turn.
  std::vector<std::unique_ptr<DesignedWindow>> buried_;
  std::optional<WindowId> modal_;
  bool ended_ = false;
};

}  // namespace tavri::win32
