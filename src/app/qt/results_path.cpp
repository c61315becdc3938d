#include "app/qt/results_path.h"

#include <QDir>

#include "results/core/file_system.h"
#include "results/core/results_location.h"

namespace tavri {

std::string ResultsFilePath(FileSystem& files, const QString& programFolder,
                            const QString& dataFolder) {
  const std::string program = QDir::toNativeSeparators(programFolder).toStdString();
  const std::string data = QDir::toNativeSeparators(dataFolder).toStdString();
  const ResultsLocation location = LocateResults(files, SettingsPath(program), program, data);
  if (location.place == ResultsPlace::DataFolder) QDir().mkpath(dataFolder);
  return location.path;
}

}  // namespace tavri
