#include "results/ui/results_windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QStandardPaths>
#include <QWidget>

#include <functional>

#include "results/core/results_file.h"

namespace tavri {

namespace {

// Sees the application's quit request before Qt closes the windows.
class QuitWatcher : public QObject {
 public:
  explicit QuitWatcher(std::function<void()> onQuit) : onQuit_(std::move(onQuit)) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) onQuit_();
    return false;
  }

 private:
  std::function<void()> onQuit_;
};

std::unique_ptr<QObject> WatchQuit(ResultsWindows& windows) {
  if (!QCoreApplication::instance()) return nullptr;
  return std::make_unique<QuitWatcher>([&windows] { windows.CloseWithoutStoring(); });
}

}  // namespace

ResultsWindows::ResultsWindows(Module1& module, Platform& platform, QWidget* owner)
    : module_(module),
      platform_(platform),
      ownFiles_(std::make_unique<SystemFileSystem>()),
      files_(*ownFiles_),
      owner_(owner),
      quitWatcher_(WatchQuit(*this)) {}

ResultsWindows::ResultsWindows(Module1& module, Platform& platform, FileSystem& files,
                               std::string resultsPath, QWidget* owner)
    : module_(module),
      platform_(platform),
      files_(files),
      resultsPath_(std::move(resultsPath)),
      owner_(owner),
      quitWatcher_(WatchQuit(*this)) {}

ResultsWindows::~ResultsWindows() {
  if (window_) {
    window_->core().Discard();
    delete window_;
  }
}

const std::string& ResultsWindows::resultsPath() {
  if (resultsPath_.empty())
    resultsPath_ = ResolveResultsPath(
        files_, QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  return resultsPath_;
}

std::string ResultsWindows::ResolveResultsPath(FileSystem& files, const QString& programFolder,
                                               const QString& dataFolder) {
  const std::string program = QDir::toNativeSeparators(programFolder).toStdString();
  const std::string data = QDir::toNativeSeparators(dataFolder).toStdString();
  std::string folder = ChooseResultsFolder(
      program, data, [&files](const std::string& f) { return files.CanCreateFilesIn(f); });
  if (folder == data && !data.empty()) QDir().mkpath(dataFolder);
  return JoinPath(folder, kResultsFileName);
}

Form3Window* ResultsWindows::Create() {
  window_ = new Form3Window(module_, platform_, files_, resultsPath(), owner_);
  return window_;
}

void ResultsWindows::ShowModal() {
  CloseWithoutStoring();
  QPointer<Form3Window> window = Create();
  window->setWindowModality(Qt::ApplicationModal);
  window->exec();  // deletes the window when it closes
}

void ResultsWindows::ShowModeless() {
  Form3Window* open = window();
  if (!open) {
    open = Create();
    open->show();
  }
  open->raise();
  open->activateWindow();
}

void ResultsWindows::CloseWithoutStoring() {
  Form3Window* open = window();
  window_ = nullptr;
  if (open) open->Discard();
}

}  // namespace tavri
