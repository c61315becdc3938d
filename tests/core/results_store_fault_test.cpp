// Saving the results list when things go wrong: any step fails, the program
// dies at any point of a save, the power goes at any point, a write fails
// after any number of bytes (a full disk), a rename is refused, something
// else stands where a file should be, and files of awkward lengths on the
// real disk. Every time the list read back afterwards is the old one or the
// new one, and a save that did not happen says so.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "results/core/rank_codec.h"
#include "results/core/results_store.h"
#include "support/fake_file_system.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::BlankRecords;
using test::FakeFileSystem;
using test::ProgramDied;
using test::RecordBytes;

const std::string kPath = "/class/tavri.rnk";

// A file of `size` bytes whose first list is full (places 50 to 10) and
// whose bytes after the lists are a pattern that must survive.
std::string OldFile(std::size_t size) {
  std::string bytes;
  const char* names[] = {"\x82\xBD\x82\xEB\x82\xA4", "HANAKO", "JIRO", "A", "B"};
  for (int place = 0; place < 5; ++place)
    bytes += RecordBytes(names[place], static_cast<std::int16_t>(50 - 10 * place));
  while (bytes.size() < size) bytes += static_cast<char>('a' + bytes.size() % 26);
  bytes.resize(size);
  return bytes;
}

StoreResult Save(FileSystem& files, const std::string& path = kPath) {
  return ResultsStore(files, path).SaveEntry(XRange::MinusTwoToTwo, 42, U"NEW");
}

// The bytes a save writes when nothing goes wrong.
std::string NewFile(const std::optional<std::string>& old) {
  FakeFileSystem disk;
  if (old) disk.Put(kPath, *old);
  EXPECT_TRUE(Save(disk));
  return disk.Bytes(kPath);
}

// The first list as a fresh run of the program shows it.
BestFive FirstList(FileSystem& files, const std::string& path = kPath) {
  return ResultsStore(files, path).Load().lists[0];
}

BestFive ListOf(const std::string& bytes) {
  FakeFileSystem disk;
  disk.Put(kPath, bytes);
  return FirstList(disk);
}

TEST(ResultsStoreFaults, EveryStepOfASaveCanFailAndTheOldListOrTheNewIsLeft) {
  const std::string before = OldFile(1000);
  const std::string next = NewFile(before);
  FakeFileSystem good;
  good.Put(kPath, before);
  ASSERT_TRUE(Save(good));
  const std::vector<std::string> steps = good.Ops();
  for (std::size_t failing = 0; failing < steps.size(); ++failing) {
    SCOPED_TRACE("step " + std::to_string(failing) + ", " + steps[failing] + ", fails");
    FakeFileSystem disk;
    disk.Put(kPath, before);
    disk.failAt = failing;
    const StoreResult saved = Save(disk);
    const std::string& op = steps[failing];
    if (op == "list" || op == "unlock") {
      // Not finding leftovers to remove keeps no save from working.
      EXPECT_EQ(saved, Stored::Yes);
      EXPECT_EQ(disk.Bytes(kPath), next);
    } else if (op == "flushfolder") {
      // The only step after the rename: the new list is there, but not
      // known to last through a power cut. That is what the player hears.
      EXPECT_EQ(saved, Stored::Unconfirmed);
      EXPECT_EQ(disk.Bytes(kPath), next);
    } else {
      EXPECT_EQ(saved, Stored::No) << "a failed step was reported as a save";
      EXPECT_EQ(disk.Bytes(kPath), before);
    }
    EXPECT_TRUE(disk.Leftovers(kPath).empty());
    EXPECT_TRUE(disk.held.empty()) << "the lock was kept";
  }
}

TEST(ResultsStoreFaults, AFailedFlushIsToldAndOnlyAFailedFlushOfTheFolderKeepsTheNewList) {
  for (const char* op : {"flush", "flushfolder", "close", "write"}) {
    SCOPED_TRACE(op);
    const Stored told = std::string(op) == "flushfolder" ? Stored::Unconfirmed : Stored::No;
    FakeFileSystem disk;
    disk.Put(kPath, OldFile(900));
    disk.failing.insert(op);
    EXPECT_EQ(Save(disk), told);
    EXPECT_EQ(disk.Bytes(kPath), told == Stored::No ? OldFile(900) : NewFile(OldFile(900)));
    EXPECT_EQ(ResultsStore(disk, kPath).ClearLists(), told);
  }
}

TEST(ResultsStoreFaults, ASaveThatSaidItWorkedLastsThroughAPowerCut) {
  // The fake keeps, through a power cut, only the bytes of a flushed file
  // and only the names of a flushed folder: without either flush the old
  // list (or none) would come back.
  for (std::optional<std::string> old :
       {std::optional<std::string>{}, std::optional(OldFile(900))}) {
    FakeFileSystem disk;
    if (old) disk.Put(kPath, *old);
    ASSERT_TRUE(Save(disk));
    const std::string next = disk.Bytes(kPath);
    disk.PowerCut();
    EXPECT_EQ(disk.Bytes(kPath), next);
    EXPECT_EQ(FirstList(disk), ListOf(next));

    FakeFileSystem cleared;
    if (old) cleared.Put(kPath, *old);
    ASSERT_TRUE(ResultsStore(cleared, kPath).ClearLists());
    cleared.PowerCut();
    const std::string blanks = BlankRecords(kListRecords);
    EXPECT_EQ(cleared.Bytes(kPath), old ? blanks + old->substr(blanks.size()) : blanks);
  }
}

TEST(ResultsStoreFaults, KilledOrCutOffAtAnyPointOfASaveLeavesTheOldListOrTheNew) {
  // No file yet, one shorter than a record, one shorter than the lists,
  // exactly the lists, and longer.
  for (std::optional<std::string> old :
       {std::optional<std::string>{}, std::optional(OldFile(5)), std::optional(OldFile(250)),
        std::optional(OldFile(900)), std::optional(OldFile(1000))}) {
    const std::string before = old.value_or("");
    const std::string next = NewFile(old);
    const BestFive oldList = ListOf(before), newList = ListOf(next);
    ASSERT_NE(oldList, newList);
    SCOPED_TRACE("old file of " + std::to_string(before.size()) + " bytes");
    for (bool powerCut : {false, true}) {
      SCOPED_TRACE(powerCut ? "power cut" : "killed");
      bool sawNew = false;
      bool finished = false;
      // Each step costs one, each byte written one more; a large enough
      // budget lets the save finish.
      for (std::size_t budget = 0; !finished; ++budget) {
        ASSERT_LT(budget, next.size() + 100) << "the save never finished";
        FakeFileSystem disk;
        if (old) disk.Put(kPath, *old);
        disk.budget = budget;
        try {
          ASSERT_TRUE(Save(disk));
          finished = true;
        } catch (const ProgramDied&) {
        }
        if (powerCut) disk.PowerCut();
        disk.Restart();
        const std::string after = disk.IsFile(kPath) ? disk.Bytes(kPath) : std::string();
        ASSERT_TRUE(after == before || after == next) << "budget " << budget;
        // Once the new list is there, it stays.
        ASSERT_TRUE(!sawNew || after == next) << "budget " << budget;
        sawNew = after == next;
        ASSERT_EQ(FirstList(disk), after == next ? newList : oldList) << "budget " << budget;
        // The next run saves again, and leaves nothing behind.
        ASSERT_TRUE(Save(disk)) << "budget " << budget;
        EXPECT_TRUE(disk.Leftovers(kPath).empty()) << "budget " << budget;
      }
      EXPECT_TRUE(sawNew);
    }
  }
}

TEST(ResultsStoreFaults, AWriteThatFailsAfterAnyByteCountKeepsTheOldListAndSaysSo) {
  const std::string before = OldFile(1000);
  const std::string next = NewFile(before);
  for (std::size_t written = 0; written < next.size(); ++written) {
    FakeFileSystem disk;
    disk.Put(kPath, before);
    disk.writeFailsAfter = written;  // the disk is full after this many bytes
    ASSERT_FALSE(Save(disk)) << written << " bytes written";
    ASSERT_EQ(disk.Bytes(kPath), before) << written << " bytes written";
    // Nothing half-written is left beside the list.
    ASSERT_TRUE(disk.Leftovers(kPath).empty()) << written << " bytes written";
  }
}

// A refused rename alone is one of the steps above.
TEST(ResultsStoreFaults, AFolderThatTakesNoNewFileKeepsTheOldListAndSaysSo) {
  const std::string before = OldFile(900);
  FakeFileSystem readOnly;
  readOnly.Put(kPath, before);
  readOnly.readOnlyFolders.insert("/class");
  EXPECT_FALSE(Save(readOnly));
  EXPECT_EQ(readOnly.Bytes(kPath), before);
}

// On the real disk: a folder where the file, the lock file or every new
// file should be. (Permission bits do not stop root, so a read-only folder
// is played with the fake above and, in the native fault tests, by a
// process that is not root.)
TEST(ResultsStoreFaults, OnDiskAFolderInThePlaceOfAFileIsLeftAloneAndTheSaveRefused) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  std::filesystem::create_directory(path);
  EXPECT_FALSE(ResultsStore(disk, path).Load().readable);
  EXPECT_FALSE(Save(disk, path));
  EXPECT_FALSE(ResultsStore(disk, path).ClearLists());
  EXPECT_TRUE(std::filesystem::is_directory(path));

  std::filesystem::remove(path);
  std::filesystem::remove(path + ".lock");
  test::WriteBytes(path, OldFile(900));
  std::filesystem::create_directory(path + ".lock");
#ifdef _WIN32
  // The lock file's place.
  EXPECT_FALSE(Save(disk, path));
  EXPECT_EQ(test::ReadBytes(path), OldFile(900));
#else
  // The folder itself is the lock: what is at the lock file's old name is
  // someone else's, and stays.
  EXPECT_TRUE(Save(disk, path));
#endif
  EXPECT_TRUE(std::filesystem::is_directory(path + ".lock"));
}

TEST(ResultsStoreFaults, OnDiskFilesOfAwkwardLengthsLoadAndSaveWithoutLoss) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  for (std::size_t size : {0u, 5u, 899u, 900u, 901u, 100000u, 1048576u}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    const std::string before = OldFile(size);
    test::WriteBytes(path, before);

    BestFive list = FirstList(disk, path);
    EXPECT_EQ(list[0], ListOf(before)[0]);
    EXPECT_EQ(test::ReadBytes(path), before) << "looking changed the file";

    EXPECT_TRUE(Save(disk, path));
    const std::string after = test::ReadBytes(path);
    ASSERT_EQ(after.size(), std::max<std::size_t>(size, kStoredRecords * kRecordSize));
    EXPECT_EQ(after, NewFile(before)) << "the real disk and the fake wrote different bytes";
    list = FirstList(disk, path);
    EXPECT_EQ(list, ListOf(NewFile(before)));
    EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
  }
  // One byte more than a results file can be: neither read nor replaced.
  const std::string tooLarge = OldFile(kMaxResultsFileSize + 1);
  test::WriteBytes(path, tooLarge);
  EXPECT_FALSE(ResultsStore(disk, path).Load().readable);
  EXPECT_FALSE(Save(disk, path));
  EXPECT_EQ(test::ReadBytes(path), tooLarge);
}

}  // namespace
}  // namespace tavri
