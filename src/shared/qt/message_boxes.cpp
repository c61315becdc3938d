#include "shared/qt/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "shared/qt/qt_text.h"

namespace tavri {

std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(owner);
  box->setWindowTitle(ToQString(message.title));
  QString text = ToQString(message.text);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  box->setIcon(message.icon == MessageIcon::Question ? QMessageBox::Question
                                                     : QMessageBox::Warning);
  QPushButton* ok = box->addButton(QMessageBox::Ok);
  ok->setText(QStringLiteral("OK"));
  QPushButton* cancel = nullptr;
  if (message.buttons == MessageButtons::OkCancel) {
    cancel = box->addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("キャンセル"));
  }
  // Leaving a question without an answer must never confirm it.
  box->setEscapeButton(cancel ? cancel : ok);
  box->setDefaultButton(message.defaultButton == 1 && cancel ? cancel : ok);
  return box;
}

MessageAnswer AnswerOf(const QMessageBox& box) {
  const QAbstractButton* cancel = box.button(QMessageBox::Cancel);
  return cancel && box.clickedButton() != box.button(QMessageBox::Ok) ? MessageAnswer::Cancel
                                                                      : MessageAnswer::Ok;
}

}  // namespace tavri
