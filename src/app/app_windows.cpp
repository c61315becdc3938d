#include "app/app_windows.h"

#include <QApplication>

namespace tavri {

AppWindows::~AppWindows() { delete help_.data(); }

void AppWindows::SetGameWindow(Form1Window* window) {
  game_ = window;
  results_.SetOwner(window);
  // The design gives the game window no handler for its close box; ending
  // the program is what the player expects, also while the help window
  // exists hidden.
  QObject::connect(window, &Form1Window::closedByUser, window, [this] { EndProgram(); });
}

void AppWindows::ShowResultsModal() { results_.ShowModal(); }

void AppWindows::ShowResultsModeless() { results_.ShowModeless(); }

void AppWindows::ShowHelp() {
  if (!help_) {
    help_ = new Form2Window([this] {
      if (game_) game_->BringForward();
    });
    // The close box destroys the window; the next opening builds it afresh.
    help_->setAttribute(Qt::WA_DeleteOnClose);
    // Opened without an owner, it still appears over the game window.
    if (game_) help_->move(game_->frameGeometry().center() - help_->rect().center());
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void AppWindows::EndProgram() {
  results_.CloseWithoutStoring();
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  // exit() leaves every running event loop, so this ends the program also
  // from inside a modal window's loop, and any loop started afterwards
  // returns at once.
  QCoreApplication::exit(0);
}

}  // namespace tavri
