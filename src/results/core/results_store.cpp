// Interim store over the plain file services; replaced by the locked,
// link-safe store.
#include "results/core/results_store.h"

#include <utility>

#include "results/core/rank_codec.h"
#include "results/core/results_file.h"

namespace tavri {

ResultsStore::ResultsStore(FileSystem& files, std::string path)
    : files_(files), path_(std::move(path)) {}

namespace {

StoredLists Decode(const std::string& bytes, bool readable) {
  StoredLists stored;
  stored.readable = readable;
  for (int r = 0; r < kRangeCount; ++r)
    for (int p = 0; p < kPlaces; ++p)
      stored.lists[static_cast<std::size_t>(r)][static_cast<std::size_t>(p)] =
          RecordAt(bytes, static_cast<std::size_t>(r * kPlaces + p + 1));
  return stored;
}

}  // namespace

StoredLists ResultsStore::Load() {
  std::string bytes;
  const ReadStatus status = OpenResultsFile(files_, path_, bytes);
  return Decode(bytes, status != ReadStatus::Failed);
}

bool ResultsStore::SaveEntry(XRange range, std::int16_t score, std::u32string_view name) {
  std::string bytes;
  if (files_.ReadFile(path_, bytes) == ReadStatus::Failed) return false;
  StoredLists stored = Decode(bytes, true);
  if (!PlaceInBestFive(stored.lists[static_cast<std::size_t>(RangeIndex(range))], score,
                       std::u32string(name)))
    return true;
  std::string records;
  for (const BestFive& list : stored.lists)
    for (const ListEntry& entry : list) records += EncodeRecord(entry);
  records += bytes.size() >= 21 * kRecordSize ? bytes.substr(20 * kRecordSize, kRecordSize)
                                              : EncodeRecord(ListEntry{U"", 0});
  while (records.size() < kStoredRecords * kRecordSize) records += EncodeRecord(ListEntry{U"", 0});
  return StoreLeadingRecords(files_, path_, records);
}

bool ResultsStore::ClearLists() {
  std::string records;
  for (std::size_t i = 0; i < kClearedRecords; ++i) records += EncodeRecord(ListEntry{U"", 0});
  return StoreLeadingRecords(files_, path_, records);
}

}  // namespace tavri
