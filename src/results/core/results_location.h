// Where the results file lives: the folder an administrator names in a
// settings file, else beside the program when that folder can be written
// (and is no installed system folder), else the user's data folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "results/core/file_system.h"

namespace tavri {

inline constexpr std::string_view kResultsFileName = "tavri.rnk";
// Windows: the settings file beside the program.
inline constexpr std::string_view kSettingsFileName = "tavri.ini";
// Linux and other POSIX systems: the system's settings file.
inline constexpr std::string_view kSystemSettingsPath = "/etc/tavri.conf";
// A settings file is a few lines; anything larger is not one.
inline constexpr std::size_t kMaxSettingsSize = 64 * 1024;

// The folder and the file name joined with the system's separator, unless
// the folder already ends with one (the root of a drive does).
std::string JoinPath(std::string_view folder, std::string_view name);

// The last part of a path: the name of the file in its folder.
std::string_view FileNameOf(std::string_view path);

// The folder part of a path ("." when it has none); a root keeps its
// separator ("/", "C:\").
std::string FolderOf(std::string_view path);

// A full path: "/..." on POSIX; "C:\...", "C:/..." or "\\server\share\..."
// on Windows.
bool IsAbsolutePath(std::string_view path);

// Beside the program, where a copied program folder keeps its own list, when
// that folder can be written; otherwise (an installed copy) the user's data
// folder, so the list is still kept. An installed copy under /usr always
// keeps its list in the data folder.
bool IsSystemProgramFolder(std::string_view folder);
std::string ChooseResultsFolder(const std::string& programFolder, const std::string& dataFolder,
                                const std::function<bool(const std::string&)>& canWriteIn);

// Whether the bytes of a settings file are text at all: after a byte-order
// mark (UTF-8 or UTF-16), UTF-8 or code page 932 with no control character
// but tabs and line ends. UTF-16 without its mark, or a binary file, is not.
bool IsSettingsText(std::string_view bytes);

// The folder named by the line "folder=..." of the section "[results]" of a
// settings file in the INI form Windows uses, or nothing. Forgiving of what
// an editor may leave: a byte-order mark (UTF-8 or UTF-16), CRLF or CR line
// ends, blanks around names and values, quotes around the value, comments
// (";" or "#" at the start of a line, or after a blank behind the value),
// names in any case, lines that are not settings at all. The text is UTF-8;
// a value that is not UTF-8 is read in code page 932 (Notepad's "ANSI" on a
// Japanese Windows) when that makes sense of it. The first usable "folder="
// counts; an empty one counts as none.
std::optional<std::string> ResultsFolderSetting(std::string_view settingsText);

// Where the platform keeps the administrator's settings: tavri.ini beside
// the program on Windows, /etc/tavri.conf elsewhere.
std::string SettingsPath(const std::string& programFolder);

enum class ResultsPlace { Setting, ProgramFolder, DataFolder };

struct ResultsLocation {
  // Both empty when a settings file is there but cannot be read: it counts
  // as a named folder that cannot be used.
  std::string folder;
  std::string path;  // the results file in that folder
  ResultsPlace place = ResultsPlace::ProgramFolder;
};

// The results file's place. A folder named in the settings file at
// `settingsPath` (a full path) wins, whether or not it can be written now:
// a class's list must not quietly split in two; a save that cannot be made
// there tells the player. So does a settings file that is there but cannot
// be read (no permission, no plain file, too large, no text). Without a
// settings file, or with one that names no full path, ChooseResultsFolder
// decides. The caller makes the data folder when it is chosen.
ResultsLocation LocateResults(FileSystem& files, const std::string& settingsPath,
                              const std::string& programFolder, const std::string& dataFolder);

}  // namespace tavri
