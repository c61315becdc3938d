#include "app/qt/results_path.h"

#include <QDir>

#include "results/core/file_system.h"
#include "results/core/results_file.h"

namespace tavri {

std::string ResultsFilePath(FileSystem& files, const QString& programFolder,
                            const QString& dataFolder) {
  const std::string program = QDir::toNativeSeparators(programFolder).toStdString();
  const std::string data = QDir::toNativeSeparators(dataFolder).toStdString();
  const std::string folder = ChooseResultsFolder(
      program, data, [&files](const std::string& f) { return files.CanCreateFilesIn(f); });
  if (folder == data && !data.empty()) QDir().mkpath(dataFolder);
  return JoinPath(folder, kResultsFileName);
}

}  // namespace tavri
