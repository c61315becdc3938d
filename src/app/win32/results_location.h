// Where tavri.exe keeps its results file on this computer.
#pragma once

#include <string>

#include "results/core/file_system.h"

namespace tavri::win32 {

// The folder of the running program.
std::string ProgramFolder();
// %APPDATA%\tavri: the user's own folder, when the program's cannot be
// written.
std::string UserDataFolder();

// The results file by the core's rule: the folder named in tavri.ini
// beside the program, else one of those two folders; a chosen user data
// folder is created.
std::string ResultsFilePath(FileSystem& files);

}  // namespace tavri::win32
