#include "results/core/results_location.h"

#include <chrono>
#include <cstdint>
#include <vector>

#include "results/core/code_page.h"
#include "shared/utf8.h"

namespace tavri {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
#else
constexpr char kSeparator = '/';
bool IsSeparator(char c) { return c == '/'; }
#endif

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\0'; }

// A settings file another program has open for a moment (an editor saving
// it) is read once it is free.
constexpr std::chrono::milliseconds kSettingsPatience{250};
constexpr std::chrono::milliseconds kSettingsRetry{10};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// UTF-16 with a byte-order mark, as Notepad's "Unicode" saves, turned into
// UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(std::string_view bytes, bool littleEndian) {
  std::u32string text;
  auto unit = [&](std::size_t i) -> char32_t {
    auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return littleEndian ? static_cast<char32_t>(a | (b << 8)) : static_cast<char32_t>((a << 8) | b);
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        text += 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
        continue;
      }
    }
    text += (c >= 0xD800 && c <= 0xDFFF) ? char32_t{0xFFFD} : c;
  }
  return ToUtf8(text);
}

// The settings text as UTF-8 (or as it is, when it is something else).
std::string Decoded(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return std::string(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), true);
  if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), false);
  return std::string(bytes);
}

bool IsUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t before = pos;
    char32_t c = NextCodePoint(text, pos);
    // A real U+FFFD is three bytes; a malformed byte comes back as one.
    if (c == 0xFFFD && pos - before != 3) return false;
  }
  return true;
}

// Where a comment starts on a line: a ";" or "#" at its start or after a
// blank. A ";" or "#" inside a name ("/srv/class#2") is part of it.
std::size_t CommentStart(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if ((text[i] == ';' || text[i] == '#') && (i == 0 || IsBlank(text[i - 1]))) return i;
  return std::string_view::npos;
}

// The value as a folder path in UTF-8, or nothing when it makes no sense.
// After the path a line may hold blanks and a comment; a quoted path may
// hold anything but its quote, and after the quote only blanks and a
// comment may follow.
std::optional<std::string> FolderValue(std::string_view value) {
  value = Trim(value);
  if (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
    std::size_t close = value.find(value.front(), 1);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = Trim(value.substr(close + 1));
    if (!rest.empty() && rest.front() != ';' && rest.front() != '#') return std::nullopt;
    value = Trim(value.substr(1, close - 1));
  } else {
    value = Trim(value.substr(0, CommentStart(value)));
  }
  if (value.empty()) return std::nullopt;
  for (char c : value)
    if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
  if (IsUtf8(value)) return std::string(value);
  std::u32string text = FromCp932(value);
  if (text.find(U'\uFFFD') != std::u32string::npos) return std::nullopt;
  return ToUtf8(text);
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += kSeparator;
  path += name;
  return path;
}

std::string_view FileNameOf(std::string_view path) {
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
#ifdef _WIN32
  if (start == 0 && path.size() >= 2 && path[1] == ':') start = 2;
#endif
  return path.substr(start);
}

std::string FolderOf(std::string_view path) {
  std::size_t end = path.size();
  while (end > 0 && !IsSeparator(path[end - 1])) --end;
  if (end == 0) {
#ifdef _WIN32
    if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
#endif
    return ".";
  }
  std::string_view folder = path.substr(0, end);
  // Drop the separator, unless it is the one of a root.
  std::size_t keep = end - 1;
  while (keep > 0 && IsSeparator(folder[keep - 1])) --keep;
  if (keep == 0) return std::string(folder.substr(0, 1));
#ifdef _WIN32
  if (keep == 2 && folder[1] == ':') return std::string(folder.substr(0, 3));
#endif
  return std::string(folder.substr(0, keep));
}

bool IsAbsolutePath(std::string_view path) {
#ifdef _WIN32
  if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2])) {
    char drive = path[0];
    return (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
  }
  return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
#else
  return path.starts_with('/');
#endif
}

bool IsSystemProgramFolder(std::string_view folder) {
  // Variable data never belongs under /usr, even for a user (root) who could
  // write there: a package update would not expect it and every account
  // would share one list.
  return folder == "/usr" || folder.starts_with("/usr/");
}

std::string ChooseResultsFolder(const std::string& programFolder, const std::string& dataFolder,
                                const std::function<bool(const std::string&)>& canWriteIn) {
  if (!programFolder.empty() && !IsSystemProgramFolder(programFolder) && canWriteIn(programFolder))
    return programFolder;
  if (dataFolder.empty()) return programFolder;
  return dataFolder;
}

bool IsSettingsText(std::string_view bytes) {
  const std::string text = Decoded(bytes);
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') return false;
  if (IsUtf8(text)) return true;
  return FromCp932(text).find(U'\uFFFD') == std::u32string::npos;
}

std::optional<std::string> ResultsFolderSetting(std::string_view settingsText) {
  const std::string text = Decoded(settingsText);
  std::string section;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trim(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      // "[results" without its bracket names no section: the lines below it
      // stay in the section before.
      if (close != std::string_view::npos) section = Lower(Trim(line.substr(1, close - 1)));
      continue;
    }
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || section != "results") continue;
    if (Lower(Trim(line.substr(0, equals))) != "folder") continue;
    if (std::optional<std::string> folder = FolderValue(line.substr(equals + 1))) return folder;
  }
  return std::nullopt;
}

std::string SettingsPath(const std::string& programFolder) {
#ifdef _WIN32
  return JoinPath(programFolder, kSettingsFileName);
#else
  (void)programFolder;
  return std::string(kSystemSettingsPath);
#endif
}

ResultsLocation LocateResults(FileSystem& files, const std::string& settingsPath,
                              const std::string& programFolder, const std::string& dataFolder) {
  if (!settingsPath.empty()) {
    std::string text;
    // The settings file is the administrator's (in /etc, or beside a
    // program the students cannot change), so a link there is followed: a
    // managed system may keep it as one.
    const auto deadline = files.Now() + kSettingsPatience;
    ReadStatus status;
    while ((status = files.ReadFile(settingsPath, Links::Follow, kMaxSettingsSize, text,
                                    nullptr)) == ReadStatus::Busy &&
           files.Now() < deadline)
      files.Sleep(kSettingsRetry);
    if (status != ReadStatus::Missing) {
      // It is there: it may name a class's folder, and each user's own list
      // in its place would split the class's list without a word. One that
      // cannot be read counts as a named folder that cannot be used.
      if (status != ReadStatus::Ok || !IsSettingsText(text)) return {{}, {}, ResultsPlace::Setting};
      std::optional<std::string> folder = ResultsFolderSetting(text);
      if (folder && IsAbsolutePath(*folder))
        return {*folder, JoinPath(*folder, kResultsFileName), ResultsPlace::Setting};
    }
  }
  std::string folder =
      ChooseResultsFolder(programFolder, dataFolder,
                          [&files](const std::string& f) { return files.CanCreateFilesIn(f); });
  ResultsPlace place = !dataFolder.empty() && folder == dataFolder && folder != programFolder
                           ? ResultsPlace::DataFolder
                           : ResultsPlace::ProgramFolder;
  return {folder, JoinPath(folder, kResultsFileName), place};
}

}  // namespace tavri
