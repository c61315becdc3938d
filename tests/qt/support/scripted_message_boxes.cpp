#include "support/scripted_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <memory>

namespace tavri::test {

MessageAnswer ScriptedMessageBoxes::Ask(const Message& message, QWidget* owner) {
  std::unique_ptr<QMessageBox> box;
  if (onScreen) {
    box = BuildMessageBox(message, owner);
    box->show();
    box->activateWindow();
    activated.push_back(
        QTest::qWaitFor([&box] { return QApplication::activeWindow() == box.get(); }));
  }
  shown.push_back({message, owner});
  if (onShown) onShown(message, owner);
  if (answers.empty()) return MessageAnswer::Ok;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace tavri::test
