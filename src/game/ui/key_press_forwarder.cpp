#include "game/ui/key_press_forwarder.h"

#include <QKeyEvent>

namespace tavri::ui {

std::optional<int> KeyAscii(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return 13;
  const QString text = event.text();
  if (text.size() == 1) return text.at(0).unicode();
  return std::nullopt;
}

KeyPressForwarder::KeyPressForwarder(QObject* box, std::function<void(int)> handler)
    : QObject(box), handler_(std::move(handler)) {
  box->installEventFilter(this);
}

bool KeyPressForwarder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    if (std::optional<int> code = KeyAscii(*static_cast<QKeyEvent*>(event)); code && handler_)
      handler_(*code);
  }
  // Never swallow the key: the handler only looks at it.
  return QObject::eventFilter(watched, event);
}

}  // namespace tavri::ui
