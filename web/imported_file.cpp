#include "imported_file.h"

#include "game/core/game.h"
#include "game/core/game_window_design.h"
#include "page_files.h"
#include "results/core/rank_codec.h"
#include "results/core/results_store.h"

namespace tavri {

namespace {

constexpr int kBestScore = game_window::kProblemCount * kStartPoints;

// A name field holds characters of the code page, padded with blanks or
// zero bytes; a byte that is none (U+FFFD) or a control character is no
// name the programs wrote.
bool IsName(std::u32string_view name) {
  for (char32_t c : name)
    if (c == U'\uFFFD' || (c != 0 && c < U' ') || c == 0x7F) return false;
  return true;
}

}  // namespace

std::string WhyNotResultsFile(std::string_view bytes, std::size_t size) {
  const std::string keep = "いまの成績はそのままです。";
  if (size > kMaxResultsFileSize || bytes.size() != size)
    return "成績のファイルではありません（1 MiB より大きなファイルです）。" + keep;
  if (size % kRecordSize != 0)
    return "ファイルが途中で切れています（" + std::to_string(size) +
           " バイト：成績のファイルは 12 バイトずつの記録でできています）。" + keep;
  // Read as the programs read it, through the store itself.
  PageFiles files("tavri.rnk");
  files.Put(PageFiles::Stored::Present, std::string(bytes));
  ResultsStore store(files, "tavri.rnk");
  const StoredLists stored = store.Load();
  if (!stored.readable) return "成績のファイルとして読めません。" + keep;
  for (const BestFive& list : stored.lists)
    for (const ListEntry& entry : list) {
      if (!IsName(entry.name))
        return "成績のファイルではありません（名前の欄が文字になっていません）。" + keep;
      if (entry.score < 0 || entry.score > kBestScore)
        return "成績のファイルではありません（得点が 0～" + std::to_string(kBestScore) +
               " の範囲にありません）。" + keep;
    }
  return {};
}

}  // namespace tavri
