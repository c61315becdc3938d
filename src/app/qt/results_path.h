// Where this copy of the program keeps its results file.
#pragma once

#include <QString>

#include <string>

namespace tavri {

class FileSystem;

// In the folder an administrator named in the system's settings file; else
// beside the program when its folder can be written (a copied program folder
// keeps its own list); else in the user's data folder, which is then
// created.
std::string ResultsFilePath(FileSystem& files, const QString& programFolder,
                            const QString& dataFolder);

}  // namespace tavri
