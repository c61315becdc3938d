// The game window on the screen. It is built from the design tables, hands
// every event to the game's handler of the same name, and after each handler
// draws the whole state the game holds (Render). It decides nothing itself.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <vector>

#include "game/core/form1.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavri {

namespace ui {
class ActivationWatcher;
class DesignLine;
}  // namespace ui

class Form1Window : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1Window(Form1& form, QWidget* parent = nullptr);
  ~Form1Window() override;

  Form1& form() { return form_; }

  // Runs Form_Load and draws its outcome; call once, before the first show.
  void Load();
  // Shows the window centred on its screen and makes it the active window.
  void ShowCentred();
  // Shows the window if need be, brings it to the front and activates it.
  void BringForward();
  // Draws captions, visibility, enabled state, check marks, the timer and a
  // pending focus request from the game's state.
  void Render();

 signals:
  // The player closed the window with its title-bar close box.
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct LabelBinding {
    QLabel* widget;
    const Label* state;
    bool autoSize;
  };
  struct ButtonBinding {
    QPushButton* widget;
    const CommandButton* state;
  };
  struct TextBinding {
    QLineEdit* widget;
    TextBox* state;
  };
  struct MenuBinding {
    QAction* action;
    const MenuItem* state;
  };

  void Build();
  void BuildMenus();
  void Bind();
  void Connect();
  void RenderTimer();
  void RenderFocus();
  // Runs one handler of the game and draws the state it left.
  template <typename Handler>
  void Run(Handler&& handler);

  template <typename T>
  T* Control(const char* name, int index = -1) const;

  Form1& form_;
  QWidget* client_ = nullptr;
  QGroupBox* frame_ = nullptr;
  ui::DesignLine* line3_ = nullptr;
  QTimer timer_;
  unsigned timerStarts_ = 0;
  ui::ActivationWatcher* watcher_ = nullptr;
  std::vector<LabelBinding> labels_;
  std::vector<ButtonBinding> buttons_;
  std::vector<TextBinding> texts_;
  std::vector<MenuBinding> menuItems_;
};

}  // namespace tavri
