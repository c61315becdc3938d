// Whether a file a player chose to import is a results file: the page keeps
// it in place of its own list only then, so that a wrong file chosen by
// mistake costs no stored entry.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavri {

// Why the file is no results file, in the page's language; empty when it
// is one. `size` is the file's whole size; `bytes` its first bytes, at most
// kMaxResultsFileSize + 1 of them (a larger file is refused unread).
std::string WhyNotResultsFile(std::string_view bytes, std::size_t size);

}  // namespace tavri
