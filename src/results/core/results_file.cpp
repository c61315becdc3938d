#include "results/core/results_file.h"

namespace tavri {

bool IsSystemProgramFolder(std::string_view folder) {
  // Variable data never belongs under /usr, even for a user (root) who could
  // write there: a package update would not expect it and every account
  // would share one list.
  return folder == "/usr" || folder.starts_with("/usr/");
}

std::string ChooseResultsFolder(const std::string& programFolder, const std::string& dataFolder,
                                const std::function<bool(const std::string&)>& canWriteIn) {
  if (!programFolder.empty() && !IsSystemProgramFolder(programFolder) &&
      canWriteIn(programFolder))
    return programFolder;
  if (dataFolder.empty()) return programFolder;
  return dataFolder;
}

ReadStatus OpenResultsFile(FileSystem& files, const std::string& path, std::string& bytes) {
  ReadStatus status = files.ReadFile(path, bytes);
  if (status != ReadStatus::Ok) bytes.clear();
  // A folder that cannot take the new file only shows up when a save fails,
  // which tells the player; the list itself reads as empty either way.
  if (status == ReadStatus::Missing) files.CreateEmptyIfMissing(path);
  return status;
}

bool StoreLeadingRecords(FileSystem& files, const std::string& path, std::string_view records) {
  std::string current;
  ReadStatus status = files.ReadFile(path, current);
  // Whatever lies after the records must survive the save; a file that
  // cannot be read could not give it back, so it is not replaced.
  if (status == ReadStatus::Failed) return false;
  if (status == ReadStatus::Missing) current.clear();

  std::string next(records);
  if (current.size() > records.size()) next.append(current, records.size());

  std::string temporary = path + ".tmp";
  if (!files.WriteFileDurably(temporary, next) || !files.RenameOver(temporary, path)) {
    files.RemoveFile(temporary);
    return false;
  }
  return true;
}

}  // namespace tavri
