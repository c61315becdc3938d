#include "scenarios/play_text.h"

namespace tavri::scenario {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads the quoted word that starts at text[pos] (the quote) and moves pos
// past its closing quote.
std::string Quoted(std::string_view text, std::size_t& pos) {
  std::string word;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '"') {
      ++pos;
      if (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '#')
        throw std::invalid_argument("a text runs into the next word");
      return word;
    }
    if (c != '\\') {
      word += c;
      continue;
    }
    if (++pos == text.size()) break;
    switch (text[pos]) {
      case 'r':
        word += '\r';
        break;
      case '"':
        word += '"';
        break;
      case '\\':
        word += '\\';
        break;
      default:
        throw std::invalid_argument(std::string("unknown escape \\") + text[pos]);
    }
  }
  throw std::invalid_argument("a text has no closing quote");
}

PlayLine Split(std::string_view text, int number) {
  PlayLine line{number, {}, {}};
  std::size_t pos = 0;
  while (true) {
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos == text.size() || text[pos] == '#') break;
    if (text[pos] == '"') {
      line.words.push_back({Quoted(text, pos), true});
      continue;
    }
    const std::size_t start = pos;
    while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != '#') {
      if (text[pos] == '"') throw std::invalid_argument("a quote inside a word");
      ++pos;
    }
    line.words.push_back({std::string(text.substr(start, pos - start)), false});
  }
  std::size_t first = 0;
  while (first < pos && IsBlank(text[first])) ++first;
  line.source = std::string(text.substr(first, pos - first));
  while (!line.source.empty() && IsBlank(line.source.back())) line.source.pop_back();
  return line;
}

}  // namespace

std::vector<PlayLine> SplitPlay(std::string_view text, const std::string& file) {
  std::vector<PlayLine> lines;
  int number = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++number;
    try {
      PlayLine line = Split(text.substr(start, end - start), number);
      if (!line.words.empty()) lines.push_back(std::move(line));
    } catch (const std::invalid_argument& error) {
      throw PlayError(file + ":" + std::to_string(number) + ": " + error.what());
    }
    start = end + 1;
  }
  return lines;
}

}  // namespace tavri::scenario
