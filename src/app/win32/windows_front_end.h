// The program's front end on the Windows API: the host's primitives carried
// out with native windows (DesignedWindow), GDI measuring, MessageBoxW and
// the countdown's clock, and every event the windows see reported to the
// host. It decides nothing; docs/front-ends.md is the contract.
#pragma once

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "app/core/front_end.h"
#include "app/core/host.h"
#include "shared/win32/countdown.h"
#include "shared/win32/design_fonts.h"
#include "shared/win32/designed_window.h"
#include "shared/win32/message_boxes.h"

namespace tavri::win32 {

// What the front end needs of the system: message boxes, the countdown's
// clock and the beep. The program uses the real ones; tests hold boxes open
// and tick the countdown themselves.
struct FrontEndServices {
  MessageBoxes& boxes;
  Countdown& countdown;
  std::function<void()> beep;
};

class WindowsFrontEnd : public FrontEnd {
 public:
  explicit WindowsFrontEnd(FrontEndServices services);
  ~WindowsFrontEnd() override;
  WindowsFrontEnd(const WindowsFrontEnd&) = delete;
  WindowsFrontEnd& operator=(const WindowsFrontEnd&) = delete;

  // Where every event goes; before the host starts.
  void ReportTo(Host& host) { host_ = &host; }
  // The native window, or nullptr while it is not built.
  DesignedWindow* Window(WindowId window) const;
  // The window of ours that `handle` is, or is inside.
  DesignedWindow* WindowOf(HWND handle) const;
  bool ended() const { return ended_; }

  // One message of the thread's loop: keyboard navigation inside our
  // windows (Tab, Enter on a focused button; Escape does nothing), then the
  // usual translation and dispatch.
  void Process(MSG& message);
  // Runs the thread's message loop until the program ends; the exit code.
  int Run();

  ScreenInfo Screen(std::optional<WindowId> window) override;
  bool DesignFaceInstalled() override { return !DesignFaceIsStandIn(); }
  TextExtent MeasureText(std::string_view text, const FontSpec& font, int wrapWidth) override;
  PixelRect Frame(WindowId window) override;
  std::optional<int> FocusedControl(WindowId window) override;
  void Build(const WindowSetup& setup) override;
  void Move(WindowId window, PixelPoint topLeft) override;
  void Draw(WindowId window, const WindowLook& look) override;
  void Show(WindowId window) override;
  void Hide(WindowId window) override;
  void Destroy(WindowId window) override;
  void Activate(WindowId window) override;
  void SetInputEnabled(WindowId window, bool enabled) override;
  void Focus(WindowId window, int control) override;
  void StartTimer(int intervalMs) override { services_.countdown.Start(intervalMs); }
  void StopTimer() override { services_.countdown.Stop(); }
  void Beep() override;
  void ShowBox(WindowId owner, const Message& message) override;
  void End() override;

 private:
  struct WaitingBox {
    WindowId owner;
    Message message;
  };

  static LRESULT CALLBACK PostedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OpenWaitingBox();
  bool HandleKeyboard(MSG& message);
  // Destroys the native window; the object goes on the loop's next turn,
  // for its code may still be on the stack.
  void Bury(WindowId window);

  FrontEndServices services_;
  Host* host_ = nullptr;
  FontCache fonts_;
  HDC measuring_ = nullptr;
  // A message-only window: what is posted to the front end itself.
  HWND posted_ = nullptr;
  std::array<std::unique_ptr<DesignedWindow>, 3> windows_;
  std::vector<std::unique_ptr<DesignedWindow>> buried_;
  std::deque<WaitingBox> waitingBoxes_;
  bool ended_ = false;
};

}  // namespace tavri::win32
