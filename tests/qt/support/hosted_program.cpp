#include "support/hosted_program.h"

#include <QApplication>
#include <QTest>

#include <algorithm>

#include "game/core/game_window_design.h"

namespace tavri::test {

using namespace game_window;

HostedProgram::HostedProgram(FileSystem& files, const std::string& resultsPath,
                             std::uint32_t seed)
    : store(files, resultsPath), program(random, store), host(program, frontEnd) {
  frontEnd.ReportTo(host);
  // Only the problems a test scripts matter; the rest are the same in every run.
  random.ContinueWithSequence(seed);
}

bool HostedProgram::Start() {
  host.Start();
  return WaitActive(WindowId::Game) && boxes.Count(MessageKind::StartNotice) == 1;
}

bool HostedProgram::WaitActive(WindowId window) {
  DesignedWindow* designed = Window(window);
  // Not qWaitForWindowActive: it takes a window owned by the active one
  // (the results window) for active too.
  if (!designed || !QTest::qWaitFor([designed] { return QApplication::activeWindow() == designed; }))
    return false;
  // The program hears of an activation once the toolkit has finished
  // handling it.
  QCoreApplication::sendPostedEvents();
  return true;
}

QPushButton* HostedProgram::Button(WindowId window, int control) const {
  DesignedWindow* designed = Window(window);
  return designed ? designed->Control<QPushButton>(control) : nullptr;
}

QLabel* HostedProgram::Label(WindowId window, int control) const {
  DesignedWindow* designed = Window(window);
  return designed ? designed->Control<QLabel>(control) : nullptr;
}

QLineEdit* HostedProgram::Box(WindowId window, int control) const {
  DesignedWindow* designed = Window(window);
  return designed ? designed->Control<QLineEdit>(control) : nullptr;
}

bool HostedProgram::Click(WindowId window, int button) {
  QPushButton* pushed = Button(window, button);
  if (!pushed || !pushed->isVisible() || !pushed->isEnabled()) return false;
  QTest::mouseClick(pushed, Qt::LeftButton);
  return true;
}

bool HostedProgram::ChooseRelationship(Relationship relationship) {
  return Click(WindowId::Game, kRelationshipButtons + static_cast<int>(relationship));
}

bool HostedProgram::ChooseRightRelationship() {
  return game().problem() && ChooseRelationship(game().problem()->relationship);
}

bool HostedProgram::Type(WindowId window, int box, const QString& text) {
  QLineEdit* typed = Box(window, box);
  if (!typed || !typed->isVisible()) return false;
  QTest::keyClicks(typed, text);
  return true;
}

bool HostedProgram::EnterFormula(int a, int b) {
  const auto enter = [this](int box, int value) {
    if (!Type(WindowId::Game, box, QString::number(value))) return false;
    QTest::keyClick(Box(WindowId::Game, box), Qt::Key_Return);
    return true;
  };
  switch (game().formula()) {
    case FormulaForm::Proportional: return enter(kCoefficientBox, a);
    case FormulaForm::Inverse: return enter(kNumeratorBox, a);
    case FormulaForm::Linear: return enter(kCoefficientBox, a) && enter(kConstantBox, b);
    case FormulaForm::None: break;
  }
  return false;
}

bool HostedProgram::PlayProblem(int points) {
  if (!game().problem()) return false;
  if (points == 0) {
    const Relationship right = game().problem()->relationship;
    return ChooseRelationship(right == Relationship::Proportional ? Relationship::Inverse
                                                                  : Relationship::Proportional);
  }
  return Tick(kStartPoints - points) && ChooseRightRelationship() &&
         EnterFormula(game().problem()->a, game().problem()->b);
}

bool HostedProgram::PlayToGameEnd(int score) {
  if (!Click(kGameWindow, kStartButton)) return false;
  for (int problem = 0; problem < kProblemCount; ++problem) {
    const int points = std::min(score, int{kStartPoints});
    if (!PlayProblem(points)) return false;
    score -= points;
  }
  const DesignedWindow* results = Window(kResultsWindow);
  return score == 0 && results && results->isVisible() && !frontEnd.TakesInput(kGameWindow);
}

bool HostedProgram::Tick(int ticks) {
  for (int tick = 0; tick < ticks; ++tick)
    if (!frontEnd.Tick()) return false;
  return true;
}

}  // namespace tavri::test
