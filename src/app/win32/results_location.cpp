#include "app/win32/results_location.h"

#include <windows.h>
#include <shlobj.h>

#include "results/core/results_location.h"
#include "shared/win32/wide_text.h"

namespace tavri::win32 {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return Narrow(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::string UserDataFolder() {
  PWSTR roaming = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
    folder = JoinPath(Narrow(roaming), "tavri");
  CoTaskMemFree(roaming);
  return folder;
}

std::string ResultsFilePath(FileSystem& files) {
  const std::string programFolder = ProgramFolder();
  const std::string dataFolder = UserDataFolder();
  const ResultsLocation location =
      LocateResults(files, SettingsPath(programFolder), programFolder, dataFolder);
  if (location.place == ResultsPlace::DataFolder && !location.folder.empty())
    CreateDirectoryW(Widen(location.folder).c_str(), nullptr);
  return location.path;
}

}  // namespace tavri::win32
