// The results file "tavri.rnk": where it lives, reading it, and replacing
// its leading records in one step.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "results/core/file_system.h"

namespace tavri {

inline constexpr std::string_view kResultsFileName = "tavri.rnk";
// Fifteen lists of five fit in the file; four x ranges use the first twenty.
inline constexpr std::size_t kStoredRecords = 75;
inline constexpr std::size_t kLoadedRecords = 21;
inline constexpr std::size_t kClearedRecords = 20;

// Beside the program, where a copied program folder keeps its own list, when
// that folder can be written; otherwise (an installed copy) the user's data
// folder, so the list is still kept. An installed copy under /usr always
// keeps its list in the data folder.
bool IsSystemProgramFolder(std::string_view folder);
std::string ChooseResultsFolder(const std::string& programFolder, const std::string& dataFolder,
                                const std::function<bool(const std::string&)>& canWriteIn);

// Reads the whole file into bytes. A missing file is created empty and reads
// as no bytes; a file that cannot be read leaves bytes empty and says Failed.
ReadStatus OpenResultsFile(FileSystem& files, const std::string& path, std::string& bytes);

// Puts `records` at the start of the file and keeps every byte after them as
// it was. All or nothing: the new file is written beside the old one, flushed
// and renamed over it, so a failure or a power cut leaves the old list or the
// new one. False when the file could not be read or replaced; it is then
// unchanged.
bool StoreLeadingRecords(FileSystem& files, const std::string& path, std::string_view records);

}  // namespace tavri
