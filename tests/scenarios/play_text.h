// The words of a play file, line by line: blanks separate words, a text in
// double quotes is one word (\r, \" and \\ inside it), # starts a comment.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavri::scenario {

// A play that cannot be read; the message names the file and the line.
struct PlayError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Word {
  std::string text;
  bool quoted = false;
};

struct PlayLine {
  int number = 0;      // from 1
  std::string source;  // the line as written, without its comment
  std::vector<Word> words;
};

// The lines that hold a step, in order. Throws PlayError("<file>:<n>: …").
std::vector<PlayLine> SplitPlay(std::string_view text, const std::string& file);

}  // namespace tavri::scenario
