#include "results/core/results_store.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <utility>

#include "results/core/rank_codec.h"
#include "results/core/results_location.h"

namespace tavri {

namespace {

// How many names a save tries for its new file before it gives up: a taken
// name is another program's leftover, or someone's trap.
constexpr int kNameAttempts = 16;

// A new file's name is the list's, ".tmp-" and this many lowercase hex
// digits: the only names the clean-up of a later save removes.
constexpr std::size_t kSuffixDigits = 16;

// Sixteen hex digits no other program will pick at the same moment.
std::string UniqueSuffix() {
  static std::atomic<std::uint64_t> counter{0};
  std::uint64_t bits = (counter++ + 1) * 0x9E3779B97F4A7C15ull;
  bits ^= static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    bits ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No source of randomness: the clock and the count still differ, and a
    // name that is taken all the same is simply passed over.
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(bits));
  return text;
}

// A record cut off by the end of the file (or missing), made whole so that
// it reads as it did: its name bytes padded with blanks (a lead byte cut
// off from its trail still reads as a broken character), a score of 0 when
// the score was cut.
std::string WholeRecord(std::string_view cut) {
  std::string record(cut.substr(0, kNameFieldSize));
  record.resize(kNameFieldSize, ' ');
  record +=
      cut.size() >= kRecordSize ? std::string(cut.substr(kNameFieldSize, 2)) : std::string(2, '\0');
  return record;
}

}  // namespace

ResultsStore::ResultsStore(FileSystem& files, std::string path)
    : ResultsStore(files, [path = std::move(path)] { return path; }) {}

ResultsStore::ResultsStore(FileSystem& files, std::function<std::string()> locate)
    : files_(files), locate_(std::move(locate)) {}

void ResultsStore::Locate() const {
  if (!locate_) return;
  path_ = std::exchange(locate_, nullptr)();
  if (!path_.empty()) {
    folder_ = FolderOf(path_);
    name_ = std::string(FileNameOf(path_));
  }
}

const std::string& ResultsStore::path() const {
  Locate();
  return path_;
}

ReadStatus ResultsStore::Read(Folder& folder, std::string& bytes, FileFacts* facts,
                              std::chrono::milliseconds patience) {
  const auto deadline = files_.Now() + patience;
  for (;;) {
    ReadStatus status = folder.ReadFile(name_, kMaxResultsFileSize, bytes, facts);
    if (status != ReadStatus::Busy) return status;
    if (files_.Now() >= deadline) return ReadStatus::Failed;
    files_.Sleep(kRetryInterval);
  }
}

StoredLists ResultsStore::Load() {
  Locate();
  StoredLists stored;
  std::string bytes;
  ReadStatus status = ReadStatus::Failed;
  std::unique_ptr<Folder> folder;
  if (!path_.empty() && files_.OpenFolder(folder_, folder) == FolderStatus::Open) {
    status = Read(*folder, bytes, nullptr, kLookPatience);
    if (status == ReadStatus::Missing) {
      // Opening the list leaves an empty file, as it always has. A folder
      // that cannot take it only shows when a save fails, which tells the
      // player; and a name taken meanwhile (by a save, or a link) is left be.
      std::unique_ptr<NewFile> file;
      if (folder->CreateNewFile(name_, nullptr, file) == CreateStatus::Created) file->Close();
    }
  }
  if (status != ReadStatus::Ok) bytes.clear();
  stored.readable = status == ReadStatus::Ok || status == ReadStatus::Missing;
  for (int range = 0; range < kRangeCount; ++range)
    for (int place = 0; place < kPlaces; ++place)
      stored.lists[static_cast<std::size_t>(range)][static_cast<std::size_t>(place)] =
          RecordAt(bytes, static_cast<std::size_t>(kPlaces * range + place + 1));
  return stored;
}

template <typename Change>
StoreResult ResultsStore::Update(Change change) {
  Locate();
  // One folder for the whole save, whatever becomes of its path meanwhile.
  std::unique_ptr<Folder> folder;
  if (path_.empty() || files_.OpenFolder(folder_, folder) != FolderStatus::Open) return Stored::No;
  std::unique_ptr<FileLock> lock;
  const auto deadline = files_.Now() + kLockPatience;
  for (;;) {
    LockStatus status = folder->TryLock(name_ + ".lock", lock);
    if (status == LockStatus::Locked) break;
    if (status == LockStatus::Failed || files_.Now() >= deadline) return Stored::No;
    files_.Sleep(kRetryInterval);
  }
  RemoveLeftovers(*folder);

  // The file as it is now, not as it was when the window opened: whatever
  // other programs stored meanwhile stays.
  std::string bytes;
  FileFacts facts;
  ReadStatus status = Read(*folder, bytes, &facts, kLockPatience);
  if (status != ReadStatus::Ok && status != ReadStatus::Missing) return Stored::No;
  const bool existed = status == ReadStatus::Ok;
  if (!existed) bytes.clear();

  std::optional<std::string> next = change(bytes);
  if (!next) return Stored::NoPlace;
  // The lock is let go on return, once the new file is in place and flushed.
  return Replace(*folder, *next, existed ? &facts : nullptr);
}

StoreResult ResultsStore::Replace(Folder& folder, const std::string& bytes, const FileFacts* old) {
  std::unique_ptr<NewFile> file;
  std::string temporary;
  for (int attempt = 0;; ++attempt) {
    if (attempt == kNameAttempts) return Stored::No;
    temporary = name_ + ".tmp-" + UniqueSuffix();
    CreateStatus status = folder.CreateNewFile(temporary, old, file);
    if (status == CreateStatus::Created) break;
    if (status == CreateStatus::Failed) return Stored::No;
  }
  const bool written = file->Write(bytes) && file->Flush();
  const bool closed = file->Close();
  file.reset();
  if (!written || !closed) {
    folder.RemovePlainFile(temporary);
    return Stored::No;
  }

  const auto deadline = files_.Now() + kLockPatience;
  for (;;) {
    RenameStatus status = folder.RenameOver(temporary, name_);
    if (status == RenameStatus::Done) break;
    if (status == RenameStatus::Failed || files_.Now() >= deadline) {
      folder.RemovePlainFile(temporary);
      return Stored::No;
    }
    files_.Sleep(kRetryInterval);
  }
  // The new list is in place. Until the folder is flushed, a power cut
  // could bring the old one back: the player is told, not that it failed.
  return folder.Flush() ? Stored::Yes : Stored::Unconfirmed;
}

bool ResultsStore::IsLeftover(std::string_view name) const {
  const std::string prefix = name_ + ".tmp-";
  if (name.size() != prefix.size() + kSuffixDigits || !name.starts_with(prefix)) return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

void ResultsStore::RemoveLeftovers(Folder& folder) {
  // Every save holds the lock for as long as its new file exists, so under
  // the lock any such file is left over from a save that was killed. Only
  // plain files of exactly the names saves give are removed: anything else
  // is someone's. Those of other users in a sticky folder stay; they are in
  // nobody's way. However many there are, this takes a moment at most: a
  // folder full of planted names must not hold up the saves that wait.
  const auto deadline = files_.Now() + kCleanUpTime;
  folder.VisitNames([&](const std::string& name) {
    if (IsLeftover(name)) folder.RemovePlainFile(name);
    return files_.Now() < deadline;
  });
}

StoreResult ResultsStore::SaveEntry(XRange range, std::int16_t score, std::u32string_view name) {
  const int index = RangeIndex(range);
  if (index < 0 || index >= kRangeCount) return Stored::No;
  const std::size_t first = static_cast<std::size_t>(kPlaces * index);
  return Update([&](const std::string& disk) -> std::optional<std::string> {
    // Records 1 to 21 as stored.
    std::array<std::string, kKeptRecords> records;
    for (std::size_t n = 0; n < kKeptRecords; ++n) {
      const std::size_t at = std::min(n * kRecordSize, disk.size());
      records[n] = WholeRecord(std::string_view(disk).substr(at, kRecordSize));
    }

    // The placement rule, played on stand-ins that remember which record
    // each entry is: the entries that move down keep their bytes exactly.
    constexpr char32_t kNewEntry = kPlaces;
    BestFive standIns;
    for (std::size_t p = 0; p < kPlaces; ++p)
      standIns[p] = ListEntry{std::u32string(1, static_cast<char32_t>(p)),
                              DecodeRecord(records[first + p]).score};
    if (!PlaceInBestFive(standIns, score, std::u32string(1, kNewEntry))) return std::nullopt;
    std::array<std::string, kPlaces> placed;
    for (std::size_t p = 0; p < kPlaces; ++p) {
      const char32_t which = standIns[p].name.at(0);
      placed[p] = which == kNewEntry ? EncodeRecord(ListEntry{std::u32string(name), score})
                                     : records[first + which];
    }
    for (std::size_t p = 0; p < kPlaces; ++p) records[first + p] = std::move(placed[p]);

    std::string next;
    next.reserve(std::max(disk.size(), kStoredRecords * kRecordSize));
    for (const std::string& record : records) next += record;
    for (std::size_t n = kKeptRecords; n < kStoredRecords; ++n) next += BlankRecord();
    if (disk.size() > next.size()) next.append(disk, next.size());
    return next;
  });
}

StoreResult ResultsStore::ClearLists() {
  // All four lists: blanking only some of them would leave a list with an
  // empty first place above its old entries.
  return Update([](const std::string& disk) -> std::optional<std::string> {
    std::string next;
    for (std::size_t n = 0; n < kListRecords; ++n) next += BlankRecord();
    if (disk.size() > next.size()) next.append(disk, next.size());
    return next;
  });
}

}  // namespace tavri
