// A window of the program on the screen, built from its design table: each
// control a native widget named by its design name, placed in the pixels of
// the screen it opens on. It draws the looks it is given and reports what
// the player does by control and menu id; it decides nothing.
#pragma once

#include <QMainWindow>

#include <optional>
#include <vector>

#include "app/core/front_end.h"
#include "shared/window_design.h"

class QAction;
class QKeyEvent;

namespace tavri {

class DesignedWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Built hidden, every control empty. `dpi`: the logical dots per inch of
  // the screen the window opens on; `stacking`: the rows back to front;
  // `owner`: the window it stays in front of, without a task-bar button of
  // its own.
  DesignedWindow(const WindowDesign& design, int dpi, const std::vector<int>& stacking,
                 QWidget* owner = nullptr);

  const WindowDesign& design() const { return design_; }
  int dpi() const { return dpi_; }
  // The area below the menu bar that holds the controls.
  QWidget* client() const { return client_; }
  // The widget of a control id (a line is a DesignLine) and the action of a
  // menu item id (a top-level menu's is its menu bar entry).
  QWidget* Control(int control) const;
  template <typename T>
  T* Control(int control) const {
    return qobject_cast<T*>(Control(control));
  }
  QAction* MenuItem(int item) const;
  // The row of a control's widget, or nothing.
  std::optional<int> RowOf(const QWidget* widget) const;
  // How far a label's font is narrowed, in percent.
  int WidthPercent(int control) const;

  // Shows `look`. A text box is rewritten only where its text differs, so a
  // box being typed in keeps its cursor.
  void Draw(const WindowLook& look);
  void FocusControl(int control);

 Q_SIGNALS:
  // A button was pressed: clicked, or Enter or Space while it had the focus.
  void clicked(int control);
  void menuChosen(int item);
  // The player changed the text of a box (never a change Draw made).
  void textEdited(int control, const QString& text);
  // A key typed into a box, before the box sees it (KeyAscii).
  void keyPressed(int control, int keyAscii);
  // The title bar's close box. The window stays: what it means is not its
  // own decision.
  void closeBoxClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int Pixels(int twips) const;
  QFont FontOf(const ControlDesign& control, int widthPercent = 100) const;
  void BuildControls();
  void BuildMenus();

  const WindowDesign& design_;
  int dpi_;
  QWidget* client_ = nullptr;
  std::vector<QWidget*> controls_;
  std::vector<int> widthPercent_;
  std::vector<QAction*> menuItems_;
  std::vector<bool> menuChecked_;
};

// The code a key hands a box's key handler, as Windows gives it: 13 for
// Enter (main or keypad, with or without Shift), 10 for Ctrl+Enter; the
// character's code for a key that types one; nothing for keys that type
// nothing (arrows, Tab, Shift, function keys) nor for any key with Alt.
std::optional<int> KeyAscii(const QKeyEvent& event);

}  // namespace tavri
