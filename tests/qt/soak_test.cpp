// A thousand games played through the windows in one run of the program:
// the buttons clicked, the formulas typed, the countdown ticked, every game
// end through the real results window with a name stored. Nothing may
// crash, Qt may not warn, and once the first game has built every window
// the program holds no more widgets or objects after each game than after
// the first.
#include <QTest>

#include <cstdio>
#include <random>

#include "game/core/game_window_design.h"
#include "results/core/results_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

namespace {

QStringList gWarnings;
QtMessageHandler gPreviousHandler = nullptr;

void CollectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // The offscreen desktop lacks these two window operations and says so;
  // the real ones have them. Nothing else is let through.
  const bool knownNoise =
      message.contains(QStringLiteral("This plugin does not support propagateSizeHints()")) ||
      message.contains(QStringLiteral("This plugin does not support raise()"));
  if (type != QtDebugMsg && type != QtInfoMsg && !knownNoise) gWarnings << message;
  if (gPreviousHandler) gPreviousHandler(type, context, message);
}

// Widgets alive, and the objects under the game window.
std::pair<qsizetype, qsizetype> Population(const HostedProgram& p) {
  // Closed windows are deleted by the event loop the program returns to.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return {QApplication::allWidgets().size(),
          p.Window(kGameWindow)->findChildren<QObject*>().size()};
}

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

  // One problem, handled in one of the ways a player does.
  [[nodiscard]] bool PlayProblem(HostedProgram& p) {
    const unsigned way = choices_() % 10;
    if (way == 9) return p.Tick(kStartPoints + 1);  // waits until the points run out
    if (!p.Tick(static_cast<int>(choices_() % 11))) return false;
    if (way == 8) return p.PlayProblem(0);  // the wrong relationship
    if (!p.ChooseRightRelationship()) return false;
    const Problem& problem = *p.game().problem();
    return p.EnterFormula(problem.a + (way == 7 ? 1 : 0), problem.b);
  }

  [[nodiscard]] bool PlayGame(HostedProgram& p, int game) {
    if (!p.Click(kGameWindow, game_window::kStartButton)) return false;
    for (int problem = 0; problem < game_window::kProblemCount; ++problem)
      if (!PlayProblem(p)) return false;
    if (!p.Window(kResultsWindow)) return false;
    if (p.Box(kResultsWindow, results_window::kNameBox)->isVisible() &&
        !p.Type(kResultsWindow, results_window::kNameBox, QStringLiteral("P%1").arg(game)))
      return false;
    return p.Click(kResultsWindow, results_window::kBackButton) && !p.Window(kResultsWindow);
  }

  std::mt19937 choices_{7};

 private Q_SLOTS:
  void aThousandGamesWithoutACrashAWarningOrGrowth() {
    gPreviousHandler = qInstallMessageHandler(CollectWarnings);
    FakeFileSystem files;
    HostedProgram p(files, "tavri.rnk", 20240601);
    QVERIFY(p.Start());
    constexpr int kGames = 1000;
    std::pair<qsizetype, qsizetype> first;
    for (int game = 1; game <= kGames; ++game) {
      QVERIFY2(PlayGame(p, game), qPrintable(QStringLiteral("game %1").arg(game)));
      if (game == 1) first = Population(p);
      else if (game % 50 == 0) QCOMPARE(Population(p), first);
    }
    qInstallMessageHandler(gPreviousHandler);
    QVERIFY2(gWarnings.isEmpty(), qPrintable(gWarnings.join(QLatin1Char('\n'))));
    QCOMPARE(p.boxes.Count(MessageKind::SaveFailed), std::size_t{0});
    std::printf("%d games, %zu message boxes, %lld widgets, results file of %zu bytes\n", kGames,
                p.boxes.shown.size(), static_cast<long long>(first.first),
                files.Bytes("tavri.rnk").size());
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::SoakTest)
#include "soak_test.moc"
