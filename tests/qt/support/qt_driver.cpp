#include "support/qt_driver.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <algorithm>
#include <stdexcept>

#include "shared/qt/design_line.h"
#include "shared/qt/designed_window.h"
#include "shared/qt/qt_text.h"
#include "scenarios/names.h"
#include "shared/utf8.h"

namespace tavri::scenario {

namespace {

constexpr std::array<WindowId, 3> kWindows{WindowId::Game, WindowId::Results, WindowId::Help};

// What a control shows: a caption as written, not as escaped for Qt; a
// label that takes its text for markup, what the markup draws.
QString TextOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const Qt::TextFormat format = label->textFormat();
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(label->text())))
      return label->text();
    QTextDocument drawn;
    if (format == Qt::MarkdownText)
      drawn.setMarkdown(label->text());
    else
      drawn.setHtml(label->text());
    return drawn.toPlainText();
  }
  if (const auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
  QString caption;
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) caption = button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) caption = frame->title();
  return caption.replace(QLatin1String("&&"), QLatin1String("&"));
}

}  // namespace

void QtDriver::Desktop::Show(WindowId window) {
  TestFrontEnd::Show(window);
  if (watch && watch->shown == window && !watch->seen)
    watch->seen = ToUtf8(TextOf(driver->Widget(watch->window, watch->control)));
}

QtDriver::QtDriver() {
  // Every draw past those queued makes y = −4x, in every driver.
  random_.whenUsedUp = 0.1f;
  front_.boxes.leftOpen = true;
  front_.driver = this;
  front_.ReportTo(host_);
}

void QtDriver::Settle() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
  }
}

void QtDriver::SetResultsFile(const std::optional<std::string>& bytes) {
  if (bytes) results_.Put(*bytes);
}

void QtDriver::Start() {
  host_.Start();
  const bool up = QTest::qWaitFor([this] { return ActiveWindow() == WindowId::Game; }, 2000);
  Settle();
  if (!up) throw std::runtime_error("the game window never became active");
}

QWidget* QtDriver::Widget(WindowId window, int control) const {
  const DesignedWindow* designed = front_.Window(window);
  return designed ? designed->Control(control) : nullptr;
}

std::optional<WindowId> QtDriver::ActiveWindow() const {
  // A box counts as the window it is shown over.
  const QWidget* active = QApplication::activeWindow();
  if (const auto* box = qobject_cast<const QMessageBox*>(active)) active = box->parentWidget();
  for (WindowId window : kWindows)
    if (active && front_.Window(window) == active) return window;
  return std::nullopt;
}

bool QtDriver::Reaches(WindowId window, const char* act, bool mustBeActive) {
  const std::string name = WindowName(window);
  if (!Window(window).visible) throw std::logic_error(std::string(act) + ": the " + name + " window is not open");
  if (front_.Box() && front_.Box()->isVisible()) return false;
  if (!front_.TakesInput(window)) return false;
  if (mustBeActive && ActiveWindow() != window)
    throw std::logic_error(std::string(act) + ": the " + name +
                           " window is not the active one; a play activates it first");
  return true;
}

// --- The player ----------------------------------------------------------------------------

void QtDriver::Click(WindowId window, int control) {
  Reaches(window, "click", true);
  QWidget* widget = Widget(window, control);
  if (!widget || !widget->isVisible()) return;
  // A box is clicked near its right end, so that what is typed next goes
  // after its text.
  const QPoint at = qobject_cast<QLineEdit*>(widget)
                        ? QPoint(widget->width() - 3, widget->height() / 2)
                        : widget->rect().center();
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  Settle();
}

void QtDriver::ChooseMenu(int item) {
  Reaches(WindowId::Game, "menu", true);
  const DesignedWindow* game = front_.Window(WindowId::Game);
  const std::span<const MenuDesign> menus = game->design().menus;
  int top = item;
  while (top > 0 && menus[static_cast<std::size_t>(top)].level != MenuLevel::Top) --top;
  QMenuBar* bar = game->menuBar();
  QAction* heading = game->MenuItem(top);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(heading).center());
  Settle();
  QMenu* menu = heading->menu();
  if (item != top && menu->isVisible()) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(game->MenuItem(item)).center());
    Settle();
  }
  // A menu left open (a heading chosen, a separator) is closed as Escape would.
  if (menu->isVisible()) menu->hide();
  Settle();
}

void QtDriver::Type(WindowId window, int control, const std::string& text) {
  if (!Reaches(window, "type", true)) return;
  auto* box = qobject_cast<QLineEdit*>(Widget(window, control));
  if (!box || !box->isVisible() || !box->isEnabled())
    throw std::logic_error("type: the control is not a text box shown and enabled");
  Click(window, control);
  TypeIntoFocus(text);
}

void QtDriver::Key(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QWidget* target = QApplication::focusWidget();
  if (!target) target = QApplication::activeWindow();
  if (!target) return;
  QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key), text, modifiers);
  Settle();
}

void QtDriver::TypeIntoFocus(const std::string& text) {
  for (char32_t character : ToUtf32(text)) {
    const QString typed = QString::fromUcs4(&character, 1);
    // A character of the keyboard's own has a key; any other (kana, kanji,
    // full-width digits) is committed by the input method, as a Japanese
    // one hands over what was converted.
    if (character < 0x80) {
      Key(QKeySequence(typed)[0].key(), Qt::NoModifier, typed);
      continue;
    }
    if (QWidget* target = QApplication::focusWidget()) {
      QInputMethodEvent commit;
      commit.setCommitString(typed);
      QApplication::sendEvent(target, &commit);
    }
    Settle();
  }
}

void QtDriver::Press(scenario::Key key) {
  switch (key) {
    case Key::Enter: return Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    case Key::ShiftEnter: return Key(Qt::Key_Return, Qt::ShiftModifier, QStringLiteral("\r"));
    case Key::CtrlEnter: return Key(Qt::Key_Return, Qt::ControlModifier, QStringLiteral("\n"));
    case Key::AltEnter: return Key(Qt::Key_Return, Qt::AltModifier, QString());
    case Key::KeypadEnter: return Key(Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
    case Key::Tab: return Key(Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    case Key::ShiftTab: return Key(Qt::Key_Backtab, Qt::ShiftModifier, QString());
    case Key::Space: return Key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    case Key::Escape: return Key(Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
  }
}

void QtDriver::Activate(WindowId window) {
  if (!Reaches(window, "activate", false)) return;
  DesignedWindow* designed = front_.Window(window);
  designed->raise();
  designed->activateWindow();
  Settle();
}

void QtDriver::CloseBox(WindowId window) {
  Reaches(window, "close", true);
  front_.Window(window)->close();
  Settle();
}

void QtDriver::Tick() {
  if (front_.countdown.running && !front_.ended()) host_.OnTimerTick();
  Settle();
}

std::optional<BoxSeen> QtDriver::OpenBox() {
  const QMessageBox* box = front_.Box();
  if (!box || !box->isVisible()) return std::nullopt;
  BoxSeen seen;
  for (WindowId window : kWindows)
    if (front_.Window(window) == box->parentWidget()) seen.owner = window;
  seen.title = ToUtf8(box->windowTitle());
  seen.text = ToUtf8(QString(box->text()).replace(QLatin1Char('\n'), QLatin1Char('\r')));
  seen.icon = box->icon() == QMessageBox::Question ? MessageIcon::Question : MessageIcon::Exclamation;
  const QAbstractButton* cancel = box->button(QMessageBox::Cancel);
  seen.buttons = cancel ? MessageButtons::OkCancel : MessageButtons::Ok;
  seen.defaultButton = cancel && box->defaultButton() == cancel ? 1 : 0;
  return seen;
}

void QtDriver::AnswerBox(MessageAnswer answer) {
  QMessageBox* box = front_.Box();
  if (!box || !box->isVisible()) throw std::logic_error("no box is open");
  QAbstractButton* button = box->button(answer == MessageAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
  if (!button) throw std::logic_error("the box has no such button");
  QTest::mouseClick(button, Qt::LeftButton);
  Settle();
}

// --- What the screen shows -------------------------------------------------------------------

WindowSeen QtDriver::Window(WindowId window) {
  WindowSeen seen;
  const DesignedWindow* designed = front_.Window(window);
  if (!designed) return seen;
  seen.exists = true;
  seen.visible = designed->isVisible();
  seen.active = seen.visible && ActiveWindow() == window;
  seen.takesInput = front_.TakesInput(window);
  for (WindowId owner : kWindows)
    if (designed->parentWidget() && front_.Window(owner) == designed->parentWidget()) seen.owner = owner;
  const QRect frame = designed->frameGeometry();
  seen.frame = {frame.x(), frame.y(), frame.width(), frame.height()};
  seen.client = {designed->client()->width(), designed->client()->height()};
  return seen;
}

ControlSeen QtDriver::Control(WindowId window, int control) {
  const DesignedWindow* designed = front_.Window(window);
  const QWidget* widget = Widget(window, control);
  if (!designed || !widget) return {};
  ControlSeen seen{ToUtf8(TextOf(widget)), widget->isVisibleTo(designed), widget->isEnabled(), {}, 100};
  const QPoint corner = widget->parentWidget()->mapTo(designed->client(), QPoint(0, 0));
  if (const auto* line = qobject_cast<const DesignLine*>(widget)) {
    // Its two ends, from the nearer corner, as far as the other end.
    const QLine ends = line->line();
    seen.rect = {corner.x() + std::min(ends.x1(), ends.x2()), corner.y() + std::min(ends.y1(), ends.y2()),
                 std::abs(ends.dx()), std::abs(ends.dy())};
  } else {
    const QRect place = widget->geometry().translated(corner);
    seen.rect = {place.x(), place.y(), place.width(), place.height()};
  }
  if (qobject_cast<const QLabel*>(widget) && widget->font().stretch() > 0)
    seen.widthPercent = widget->font().stretch();
  return seen;
}

std::optional<int> QtDriver::Focus(WindowId window) {
  const DesignedWindow* designed = front_.Window(window);
  if (!designed || ActiveWindow() != window || (front_.Box() && front_.Box()->isVisible()))
    return std::nullopt;
  return designed->RowOf(QApplication::focusWidget());
}

bool QtDriver::MenuChecked(int item) {
  const DesignedWindow* game = front_.Window(WindowId::Game);
  const QAction* action = game ? game->MenuItem(item) : nullptr;
  return action && action->isChecked();
}

void QtDriver::SnapshotWhenShown(WindowId shown, WindowId window, int control) {
  front_.watch = Desktop::Watch{shown, window, control, std::nullopt};
}

std::optional<std::string> QtDriver::Snapshot() { return front_.watch ? front_.watch->seen : std::nullopt; }

}  // namespace tavri::scenario
