// The results store reading any bytes as its file, then storing a name,
// clearing the lists or only looking, as the input says; on the in-memory
// disk and on the real one, in a folder of its own.
//
// Input: byte 0 the x range; bytes 1 and 2 the score (16 bits, little-
// endian, the whole range); byte 3 what happens (its value mod 3: 0 a name
// is stored, 1 the lists are cleared, 2 the list is only looked at; from 3
// on, there is no file to begin with); byte 4 the length n of the name; the
// next n bytes the name (any UTF-8, broken or not); the rest the file.
//
// Checked:
// - the lists read as the file's records 1 to 20 decode;
// - a stored name goes where the placement rule puts it, the entries that
//   move down and every other record 1 to 21 read as before, the name reads
//   back as the code page holds it (cut to ten bytes, "?" for what it
//   lacks), records 22 to 75 are blank and nothing after record 75 changes;
//   a score that makes no place changes nothing, and the save says so;
// - a clear blanks records 1 to 20 and leaves every other byte alone;
// - looking changes nothing (a missing file is made, empty);
// - every other save and every clear reports success, and no new file is
//   left behind;
// - the real disk ends with exactly the bytes of the in-memory one.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "results/core/best_lists.h"
#include "results/core/code_page.h"
#include "results/core/rank_codec.h"
#include "results/core/results_store.h"
#include "shared/utf8.h"
#include "support/fake_file_system.h"
#include "support/temp_folder.h"

namespace {

using tavri::kRecordSize;

std::string_view gInput;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s; input of %zu bytes:", what, gInput.size());
  for (unsigned char byte : gInput) std::fprintf(stderr, " %02X", byte);
  std::fprintf(stderr, "\n");
  std::abort();
}

// A folder of the fuzzer's own on the real disk, on a memory file system
// when there is one (a save flushes, and a disk would make every run slow).
class RealFolder {
 public:
  RealFolder() {
    std::string base = access("/dev/shm", W_OK) == 0
                           ? std::string("/dev/shm")
                           : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/tavri-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) Fail("no folder for the real disk");
    folder_ = pattern;
  }
  ~RealFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string path() const { return folder_ + "/tavri.rnk"; }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

// A name as the file can hold it: whole characters up to ten bytes, "?" for
// a character the code page lacks, blanks up to ten characters.
std::u32string Storable(std::u32string_view name) {
  std::u32string out;
  std::size_t bytes = 0;
  for (char32_t c : name) {
    std::string encoded = tavri::ToCp932(std::u32string_view(&c, 1));
    if (bytes + encoded.size() > tavri::kNameFieldSize) break;
    bytes += encoded.size();
    out += tavri::FromCp932(encoded);
  }
  out.resize(tavri::kNameLength, U' ');
  return out;
}

enum class Way { Store, Clear, Look };

// Runs the input on one disk; what became of a save (Yes for the others).
tavri::Stored Run(tavri::FileSystem& disk, const std::string& path, const std::string& before,
                  Way way, tavri::XRange range, std::int16_t score, const std::u32string& name) {
  tavri::ResultsStore store(disk, path);
  const tavri::StoredLists shown = store.Load();
  if (!shown.readable) Fail("a small plain file read as unreadable");
  for (int r = 0; r < tavri::kRangeCount; ++r)
    for (int p = 0; p < tavri::kPlaces; ++p)
      if (shown.lists[static_cast<std::size_t>(r)][static_cast<std::size_t>(p)] !=
          tavri::RecordAt(before, static_cast<std::size_t>(5 * r + p + 1)))
        Fail("a list does not read as the file's records");
  if (way == Way::Store) return store.SaveEntry(range, score, name).stored;
  if (way == Way::Clear && !store.ClearLists()) Fail("a clear reported a failure");
  return tavri::Stored::Yes;
}

void CheckStored(const std::string& before, const std::string& after, tavri::Stored saved,
                 tavri::XRange range, std::int16_t score, const std::u32string& name) {
  const std::size_t first = static_cast<std::size_t>(5 * tavri::RangeIndex(range));
  tavri::BestFive expected;
  for (std::size_t p = 0; p < 5; ++p) expected[p] = tavri::RecordAt(before, first + p + 1);
  const auto place = tavri::PlaceInBestFive(expected, score, Storable(name));
  if (!place) {
    if (saved != tavri::Stored::NoPlace) Fail("a score that made no place was not said to");
    if (after != before) Fail("a score that made no place changed the file");
    return;
  }
  if (saved != tavri::Stored::Yes) Fail("a save reported a failure");
  const std::size_t stored = tavri::kStoredRecords * kRecordSize;
  if (after.size() != std::max(before.size(), stored)) Fail("the save changed the length");
  if (before.size() > stored && after.compare(stored, std::string::npos, before, stored) != 0)
    Fail("the save touched bytes after record 75");
  const std::string blank = tavri::BlankRecord();
  for (std::size_t n = tavri::kKeptRecords; n < tavri::kStoredRecords; ++n)
    if (after.compare(n * kRecordSize, kRecordSize, blank) != 0)
      Fail("a record past the lists was not written blank");
  for (std::size_t n = 1; n <= tavri::kKeptRecords; ++n) {
    if (n > first && n <= first + 5) {
      if (tavri::RecordAt(after, n) != expected[n - first - 1])
        Fail("the list does not read as the placement rule has it");
    } else {
      if (tavri::RecordAt(after, n) != tavri::RecordAt(before, n)) Fail("another record changed");
      if (n * kRecordSize <= before.size() &&
          after.compare((n - 1) * kRecordSize, kRecordSize, before, (n - 1) * kRecordSize,
                        kRecordSize) != 0)
        Fail("another record's bytes changed");
    }
  }
}

void CheckCleared(const std::string& before, const std::string& after) {
  const std::size_t cleared = tavri::kListRecords * kRecordSize;
  if (after.size() != std::max(before.size(), cleared)) Fail("the clear changed the length");
  const std::string blank = tavri::BlankRecord();
  for (std::size_t n = 0; n < tavri::kListRecords; ++n)
    if (after.compare(n * kRecordSize, kRecordSize, blank) != 0)
      Fail("the clear left a record of the lists");
  if (before.size() > cleared && after.compare(cleared, std::string::npos, before, cleared) != 0)
    Fail("the clear touched bytes after the lists");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  static RealFolder real;
  gInput = std::string_view(reinterpret_cast<const char*>(data), size);
  const auto range = static_cast<tavri::XRange>(data[0] % tavri::kRangeCount);
  const auto score =
      static_cast<std::int16_t>(static_cast<std::uint16_t>(data[1] | (data[2] << 8)));
  const Way way = static_cast<Way>(data[3] % 3);
  const bool missing = data[3] >= 3;
  const std::size_t nameLength = std::min<std::size_t>(data[4], size - 5);
  const std::u32string name = tavri::ToUtf32(gInput.substr(5, nameLength));
  const std::string before = missing ? std::string() : std::string(gInput.substr(5 + nameLength));

  const std::string fakePath = "/class/tavri.rnk";
  tavri::test::FakeFileSystem fake;
  if (!missing) fake.Put(fakePath, before);
  const tavri::Stored saved = Run(fake, fakePath, before, way, range, score, name);
  if (!fake.IsFile(fakePath)) Fail("the file is gone");
  const std::string after = fake.Bytes(fakePath);
  for (const std::string& left : fake.Names())
    if (left.starts_with(fakePath + ".tmp")) Fail("a new file was left behind");

  switch (way) {
    case Way::Store:
      CheckStored(before, after, saved, range, score, name);
      break;
    case Way::Clear:
      CheckCleared(before, after);
      break;
    case Way::Look:
      if (after != before) Fail("looking changed the file");
      break;
  }

  // The same on the real disk.
  const std::string path = real.path();
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  if (!missing) tavri::test::WriteBytes(path, before);
  tavri::SystemFileSystem disk;
  if (Run(disk, path, before, way, range, score, name) != saved)
    Fail("the real disk and the fake said different things");
  if (tavri::test::ReadBytes(path) != after) Fail("the real disk and the fake disagree");
  for (const auto& entry : std::filesystem::directory_iterator(real.folder()))
    if (entry.path().filename().string().starts_with("tavri.rnk.tmp"))
      Fail("a new file was left behind on the real disk");
  return 0;
}
