#include "help/ui/form2_window.h"

#include <QPushButton>

namespace tavri {

Form2Window::Form2Window(std::function<void()> showGameWindow, QWidget* parent)
    : QWidget(parent), showGameWindow_(std::move(showGameWindow)) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Ranvik(Orsel)"));
  setFixedSize(406, 443);
  auto* back = new QPushButton(QStringLiteral("戻る"), this);
  back->setObjectName(QStringLiteral("Command1"));
  back->setGeometry(320, 408, 65, 33);
  connect(back, &QPushButton::clicked, this, [this] {
    if (showGameWindow_) showGameWindow_();
    hide();
  });
}

}  // namespace tavri
