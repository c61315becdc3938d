// tavri.exe: the game on the Windows API.
#include <windows.h>
#include <commctrl.h>

#include "app/core/host.h"
#include "app/core/program.h"
#include "app/win32/results_location.h"
#include "app/win32/windows_front_end.h"
#include "results/core/file_system.h"
#include "results/core/results_store.h"
#include "shared/clock_random.h"
#include "shared/win32/countdown_clock.h"
#include "shared/win32/message_boxes.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  tavri::SystemFileSystem files;
  // Found when the list is first opened, not at every start.
  tavri::ResultsStore store(files, [&files] { return tavri::win32::ResultsFilePath(files); });
  tavri::ClockRandom random;
  tavri::Program program(random, store);

  tavri::win32::SystemMessageBoxes boxes;
  tavri::win32::CountdownClock countdown;
  tavri::win32::WindowsFrontEnd front({boxes, countdown, [] { MessageBeep(MB_OK); }});
  tavri::Host host(program, front);
  front.ReportTo(host);
  host.Start();
  return front.Run();
}
