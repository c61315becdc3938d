// The keys as Qt delivers them: the key code each is reported as, every key
// still reaching a box after its report, and a focused button clicked by
// Enter and Space but not by Ctrl+Enter or Alt+Enter. What the program does
// with them is the plays' (keyboard.play).
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <optional>
#include <vector>

#include "game/core/game_window_design.h"
#include "shared/qt/designed_window.h"

namespace tavri::test {

using namespace game_window;

class KeysTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void keyAsciiOfKeys() {
    const auto code = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
      return KeyAscii(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    };
    QCOMPARE(code(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r")), std::optional<int>(13));
    QCOMPARE(code(Qt::Key_Enter, Qt::KeypadModifier, QString()), std::optional<int>(13));
    // Ctrl+Enter is a line feed; Alt+Enter types nothing, as on Windows.
    QCOMPARE(code(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\r")), std::optional<int>(10));
    QCOMPARE(code(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, QString()),
             std::optional<int>(10));
    QCOMPARE(code(Qt::Key_Return, Qt::AltModifier, QStringLiteral("\r")), std::nullopt);
    QCOMPARE(code(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")), std::nullopt);
    QCOMPARE(code(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")), std::optional<int>('a'));
    QCOMPARE(code(Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-")), std::optional<int>('-'));
    QCOMPARE(code(Qt::Key_Left, Qt::NoModifier, QString()), std::nullopt);
    QCOMPARE(code(Qt::Key_Shift, Qt::ShiftModifier, QString()), std::nullopt);
  }

  void everyKeyStillReachesTheBox() {
    DesignedWindow window(Design(), 96, {});
    auto* box = window.Control<QLineEdit>(kCoefficientBox);
    std::vector<int> codes;
    QString textSeenByHandler;
    connect(&window, &DesignedWindow::keyPressed, this, [&](int control, int keyAscii) {
      QCOMPARE(control, int(kCoefficientBox));
      codes.push_back(keyAscii);
      textSeenByHandler = box->text();
    });
    QSignalSpy enters(box, &QLineEdit::returnPressed);
    QTest::keyClick(box, Qt::Key_4);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Return, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_Left);
    QCOMPARE(codes, (std::vector<int>{'4', 13, 13, 10}));
    QCOMPARE(box->text(), QStringLiteral("4"));
    QCOMPARE(enters.count(), 4);
    QCOMPARE(textSeenByHandler, QStringLiteral("4"));
  }

  // A focused button: Enter (main or keypad, with or without Shift) and
  // Space click it; with Ctrl or Alt, Enter does not.
  void aButtonTakesEnterAndSpace() {
    DesignedWindow window(Design(), 96, {});
    QSignalSpy clicked(&window, &DesignedWindow::clicked);
    auto* start = window.Control<QPushButton>(kStartButton);
    QTest::keyClick(start, Qt::Key_Return);
    QTest::keyClick(start, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(start, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(start, Qt::Key_Space);
    QCOMPARE(clicked.count(), 4);
    QTest::keyClick(start, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(start, Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(clicked.count(), 4);
    QVERIFY(!start->isDefault());
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::KeysTest)
#include "keys_test.moc"
