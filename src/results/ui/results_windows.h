// Opens the results window for the game window: at most one exists at a
// time; it is created afresh at each opening and deletes itself on closing.
#pragma once

#include <memory>
#include <string>

#include <QPointer>
#include <QString>

#include "results/core/file_system.h"
#include "results/ui/form3_window.h"
#include "shared/module1.h"
#include "shared/platform.h"

class QWidget;

namespace tavri {

class ResultsWindows {
 public:
  // The results file beside the program when its folder can be written,
  // otherwise in the user's data folder (found at the first opening).
  ResultsWindows(Module1& module, Platform& platform, QWidget* owner = nullptr);
  // These file services and this results file (tests, special set-ups).
  ResultsWindows(Module1& module, Platform& platform, FileSystem& files, std::string resultsPath,
                 QWidget* owner = nullptr);
  ~ResultsWindows();
  ResultsWindows(const ResultsWindows&) = delete;
  ResultsWindows& operator=(const ResultsWindows&) = delete;

  // The window the results window centres on and stays above.
  void SetOwner(QWidget* owner) { owner_ = owner; }

  // At a game end: a list still open for viewing holds no new entry, so it
  // is closed without storing; then a fresh window opens modally with
  // totalScore and returns once it has been closed.
  void ShowModal();
  // From the menu or the total button: opens the window beside the game
  // window, or brings an open one forward.
  void ShowModeless();
  // Exit: the open window (if any) goes away without storing anything.
  // Ending the program with QApplication::quit() does this by itself: Qt
  // closes every window on quitting, and a close must not count as the
  // close box there.
  void CloseWithoutStoring();

  // The open window, or null (also once it has been unloaded and waits to
  // be deleted).
  Form3Window* window() const {
    return window_ && !window_->core().Unloaded() ? window_.data() : nullptr;
  }
  // Where the results file is (resolved at the first call).
  const std::string& resultsPath();

  // The folder choice, with the program's and the data folder given: the
  // data folder is created when it is chosen.
  static std::string ResolveResultsPath(FileSystem& files, const QString& programFolder,
                                        const QString& dataFolder);

 private:
  Form3Window* Create();

  Module1& module_;
  Platform& platform_;
  std::unique_ptr<FileSystem> ownFiles_;
  FileSystem& files_;
  std::string resultsPath_;
  QPointer<QWidget> owner_;
  QPointer<Form3Window> window_;
  std::unique_ptr<QObject> quitWatcher_;
};

}  // namespace tavri
