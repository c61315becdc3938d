#include "support/test_front_end.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/core/host.h"
#include "shared/qt/designed_window.h"

namespace tavri::test {

void TestFrontEnd::StartTimer(int intervalMs) {
  countdown.running = true;
  countdown.intervalMs = intervalMs;
  ++countdown.starts;
}

bool TestFrontEnd::Tick() {
  if (!countdown.running || !host()) return false;
  host()->OnTimerTick();
  return true;
}

void TestFrontEnd::ShowBox(WindowId owner, const Message& message) {
  boxes.shown.push_back({message, Window(owner)});
  MessageAnswer answer = MessageAnswer::Ok;
  if (!boxes.answers.empty()) {
    answer = boxes.answers.front();
    boxes.answers.pop_front();
  }
  if (!boxes.onScreen && !boxes.leftOpen) {
    if (boxes.onShown) boxes.onShown(message, Window(owner));
    // Taken in by the host once the step that showed the box is over.
    host()->OnBoxAnswered(answer);
    return;
  }
  QtFrontEnd::ShowBox(owner, message);
  if (boxes.leftOpen) return;
  QMessageBox* box = Box();
  boxes.activated.push_back(
      QTest::qWaitFor([box] { return QApplication::activeWindow() == box; }));
  if (boxes.onShown) boxes.onShown(message, Window(owner));
  box->button(answer == MessageAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel)->click();
}

}  // namespace tavri::test
