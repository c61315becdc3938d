// PLACEHOLDER help window: only the shape the rest of the program relies on
// (the constructor and the 戻る button). The help page itself replaces this
// file; keep the constructor as it is.
#pragma once

#include <QWidget>

#include <functional>

namespace tavri {

class Form2Window : public QWidget {
  Q_OBJECT

 public:
  // `showGameWindow` brings the game window forward; 戻る calls it and then
  // hides this window.
  explicit Form2Window(std::function<void()> showGameWindow, QWidget* parent = nullptr);

 private:
  std::function<void()> showGameWindow_;
};

}  // namespace tavri
