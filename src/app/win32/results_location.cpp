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

// The shell and COM are loaded only here, when the list is first opened:
// imported, they would be loaded with the program, a tenth of its start-up
// under Wine.
std::string UserDataFolder() {
  using KnownFolderFunction = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  using FreeFunction = void(WINAPI*)(LPVOID);
  const auto function = [](HMODULE module, const char* name) {
    return module ? reinterpret_cast<void (*)()>(GetProcAddress(module, name)) : nullptr;
  };
  HMODULE shell = LoadLibraryW(L"shell32.dll");
  HMODULE com = LoadLibraryW(L"ole32.dll");
  const auto knownFolder =
      reinterpret_cast<KnownFolderFunction>(function(shell, "SHGetKnownFolderPath"));
  const auto freeMemory = reinterpret_cast<FreeFunction>(function(com, "CoTaskMemFree"));
  std::string folder;
  PWSTR roaming = nullptr;
  if (knownFolder && freeMemory &&
      SUCCEEDED(knownFolder(FOLDERID_RoamingAppData, 0, nullptr, &roaming)))
    folder = JoinPath(Narrow(roaming), "tavri");
  if (freeMemory) freeMemory(roaming);
  if (com) FreeLibrary(com);
  if (shell) FreeLibrary(shell);
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
