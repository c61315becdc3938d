#include "app/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tavri {

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxSpec& message, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QString::fromStdString(message.title));
  QString text = QString::fromStdString(message.text);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  box->setIcon(message.icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Warning);
  QPushButton* ok = box->addButton(QMessageBox::Ok);
  ok->setText(QStringLiteral("OK"));
  QPushButton* cancel = nullptr;
  if (message.buttons == MessageButtons::OkCancel) {
    cancel = box->addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("キャンセル"));
  }
  box->setEscapeButton(cancel ? cancel : ok);
  box->setDefaultButton(message.defaultButton == 1 && cancel ? cancel : ok);
  return box;
}

MessageAnswer QtPlatform::MsgBox(const MessageBoxSpec& message) {
  std::unique_ptr<QMessageBox> box = BuildMessageBox(message, QApplication::activeWindow());
  box->exec();
  if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return box->clickedButton() == box->button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

void QtPlatform::Beep() { QApplication::beep(); }

}  // namespace tavri
