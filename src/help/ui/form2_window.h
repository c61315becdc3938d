// The help window: a fixed page of instructions drawn from the help core.
#pragma once

#include <QWidget>
#include <functional>

#include "help/core/form2.h"

class QLabel;
class QPushButton;

namespace tavri {

class Form2Window : public QWidget, private Form2Windows {
  Q_OBJECT

 public:
  // showGameWindow brings the game window forward; 戻る calls it before the
  // help window hides itself.
  explicit Form2Window(std::function<void()> showGameWindow, QWidget* parent = nullptr);

  const Form2& core() const { return core_; }

 private:
  void ShowGameWindow() override;
  void HideHelpWindow() override;

  std::function<void()> showGameWindow_;
  Form2 core_;
};

}  // namespace tavri
