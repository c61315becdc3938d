#include "app/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tavri {

std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBoxSpec& spec, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(QString::fromStdString(spec.title));
  QString text = QString::fromStdString(spec.text);
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  box->setIcon(spec.icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Warning);
  QPushButton* ok = box->addButton(QMessageBox::Ok);
  ok->setText(QStringLiteral("OK"));
  QPushButton* cancel = nullptr;
  if (spec.buttons == MessageButtons::OkCancel) {
    cancel = box->addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("キャンセル"));
  }
  box->setEscapeButton(cancel ? cancel : ok);
  box->setDefaultButton(spec.defaultButton == 1 && cancel ? cancel : ok);
  return box;
}

MessageAnswer QtPlatform::MsgBox(const MessageBoxSpec& spec) {
  std::unique_ptr<QMessageBox> box = BuildMessageBox(spec, QApplication::activeWindow());
  box->exec();
  if (spec.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return box->clickedButton() == box->button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

void QtPlatform::Beep() { QApplication::beep(); }

}  // namespace tavri
