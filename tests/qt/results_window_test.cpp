// Where the Qt program keeps its results file, and the desktop's quit while
// a name is typed. The results window itself is the plays' (results.play).
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/qt/results_path.h"
#include "results/core/results_window_design.h"
#include "support/fake_file_system.h"
#include "support/hosted_program.h"

namespace tavri::test {

class ResultsWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void theResultsFileLivesBesideTheProgramElseInTheDataFolder() {
    QTemporaryDir folder;
    FakeFileSystem files;
    const QString program = folder.filePath(QStringLiteral("program"));
    const QString data = folder.filePath(QStringLiteral("data/tavri"));
    files.writableFolders.insert(QDir::toNativeSeparators(program).toStdString());
    QCOMPARE(ResultsFilePath(files, program, data),
             QDir::toNativeSeparators(program + QStringLiteral("/tavri.rnk")).toStdString());
    QVERIFY(!QDir(data).exists());

    files.writableFolders.clear();
    QCOMPARE(ResultsFilePath(files, program, data),
             QDir::toNativeSeparators(data + QStringLiteral("/tavri.rnk")).toStdString());
    QVERIFY(QDir(data).exists());
  }

  // Last: it ends the test program's event loop. The desktop's quit while a
  // name is typed ends the program as Exit does: nothing stored, nothing
  // asked, every window gone.
  void aQuitWhileANameIsTypedStoresNothing() {
    ProgramOnFakeDisk run;
    HostedProgram& p = run.program;
    QVERIFY(p.Start());
    QVERIFY(p.PlayToGameEnd(30));
    QVERIFY(p.Type(kResultsWindow, results_window::kNameBox, QStringLiteral("Lost")));
    const std::size_t boxes = p.boxes.shown.size();
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
    QApplication::exec();
    QVERIFY(p.frontEnd.ended());
    QCOMPARE(p.Window(kResultsWindow), nullptr);
    QVERIFY(run.files.Bytes("tavri.rnk").empty());
    QCOMPARE(p.boxes.shown.size(), boxes);
  }
};

}  // namespace tavri::test

QTEST_MAIN(tavri::test::ResultsWindowTest)
#include "results_window_test.moc"
