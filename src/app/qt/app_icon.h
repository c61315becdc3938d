// The application's one icon. Every window of the program shows it and none
// sets an icon of its own, so it is installed once, on the application.
#pragma once

#include <QString>

class QApplication;
class QWidget;

namespace tavri {

// The id under which the desktop entry and the AppStream data are installed;
// Wayland compositors find the program's name and icon by it.
inline constexpr char kDesktopFileId[] = "io.github.tavri.tavri";

// Installs the icon on the application, and so on every window, those
// already shown included. Once per run.
void InstallApplicationIcon(QApplication& app);

// The same, once `window` is on the screen and drawn (or after a second if
// it never shows): decoding the pictures and handing them to the window
// system takes a tenth of the start-up, and a student waits for the window,
// not for its icon.
void InstallApplicationIconWhenShown(QApplication& app, QWidget* window);

}  // namespace tavri
