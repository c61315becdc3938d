// Hands the character code of each key typed into a box to a KeyPress
// handler, before the box sees the key; the key still reaches the box.
#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;

namespace tavri::ui {

// The code a KeyPress handler receives for a key: 13 for Enter, the main key
// and the keypad key alike; the character's code for a key that types one;
// nullopt for keys that type nothing (arrows, Shift, function keys).
std::optional<int> KeyAscii(const QKeyEvent& event);

class KeyPressForwarder : public QObject {
  Q_OBJECT

 public:
  // Watches `box` (and is owned by it); `handler` receives the KeyAscii.
  KeyPressForwarder(QObject* box, std::function<void(int)> handler);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(int)> handler_;
};

}  // namespace tavri::ui
