// The stored lists on the real disk of the platform the tests run on (Linux,
// or Windows under Wine): the same bytes as everywhere, locks that keep two
// saves apart, a reader that always finds a whole list, links not followed,
// huge files not read.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "results/core/file_system.h"
#include "results/core/rank_codec.h"
#include "results/core/results_location.h"
#include "results/core/results_store.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"
#include "support/stepping_file_system.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::BlankRecords;
using test::FullList;
using test::RecordBytes;
using test::SteppingFileSystem;
using test::TempFolder;

// A link, when this system lets the tests make one.
bool MadeLink(const std::string& target, const std::string& link) {
  std::error_code error;
  std::filesystem::create_symlink(test::FsPath(target), test::FsPath(link), error);
  return !error && std::filesystem::is_symlink(test::FsPath(link));
}

TEST(ResultsStoreOnDisk, WritesTheSameBytesOnEveryPlatform) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  ResultsStore store(disk, path);
  StoredLists stored = store.Load();
  EXPECT_TRUE(stored.readable);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "tavri.rnk"));
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "tavri.rnk"), 0u);

  ASSERT_TRUE(store.SaveEntry(XRange::OneToFive, 42, U"たろう"));
  ASSERT_EQ(store.SaveEntry(XRange::OneToFive, -300, U"ABCDEFGHIJKL"), Stored::NoPlace);
  ASSERT_TRUE(store.SaveEntry(XRange::Random, 32767, U"～－"));
  const std::string expected = BlankRecords(5) + RecordBytes("\x82\xBD\x82\xEB\x82\xA4", 42) +
                               BlankRecords(9) + RecordBytes("\x81\x60\x81\x7C", 32767) +
                               BlankRecords(59);
  EXPECT_EQ(test::ReadBytes(path), expected);
  stored = store.Load();
  EXPECT_EQ(stored.lists[1][0], (ListEntry{U"たろう       ", 42}));
  EXPECT_EQ(stored.lists[3][0], (ListEntry{U"～－        ", 32767}));

  test::WriteBytes(path, expected + "tail");
  ASSERT_TRUE(store.ClearLists());
  EXPECT_EQ(test::ReadBytes(path), BlankRecords(75) + "tail");
  EXPECT_TRUE(folder.Leftovers().empty());
#ifdef _WIN32
  // The lock file stays, empty.
  EXPECT_EQ(test::ReadBytes(path + ".lock"), "");
#endif
}

// The lock is something nobody who saves can take away while it is held:
// the folder itself (POSIX), or a lock file that cannot be deleted while it
// is open (Windows). A lock file anyone could remove let a second save in
// while the first still held its lock, and one of them lost its entry.
TEST(ResultsStoreOnDisk, TwoLocksExcludeEachOtherAndNeitherCanBeTakenAway) {
  TempFolder folder;
  SystemFileSystem disk;
  std::unique_ptr<Folder> one, two;
  ASSERT_EQ(disk.OpenFolder(FolderOf(folder / "tavri.rnk"), one), FolderStatus::Open);
  ASSERT_EQ(disk.OpenFolder(FolderOf(folder / "tavri.rnk"), two), FolderStatus::Open);
  std::unique_ptr<FileLock> first, second;
  ASSERT_EQ(one->TryLock("tavri.rnk.lock", first), LockStatus::Locked);
  EXPECT_EQ(two->TryLock("tavri.rnk.lock", second), LockStatus::Busy);
  EXPECT_EQ(one->TryLock("tavri.rnk.lock", second), LockStatus::Busy);
  EXPECT_EQ(second, nullptr);
  std::error_code ignored;
  EXPECT_FALSE(std::filesystem::remove(folder.path() / "tavri.rnk.lock", ignored))
      << "the lock file was removed while held";
  EXPECT_EQ(two->TryLock("tavri.rnk.lock", second), LockStatus::Busy) << "taken away";
  first.reset();
  EXPECT_EQ(two->TryLock("tavri.rnk.lock", second), LockStatus::Locked);
}

TEST(ResultsStoreOnDisk, ASaveWaitsForAHeldLockAndGivesUpAfterAFewSeconds) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  test::WriteBytes(path, FullList());
  std::unique_ptr<Folder> opened;
  std::unique_ptr<FileLock> other;
  ASSERT_EQ(disk.OpenFolder(FolderOf(folder / "tavri.rnk"), opened), FolderStatus::Open);
  ASSERT_EQ(opened->TryLock("tavri.rnk.lock", other), LockStatus::Locked);

  SteppingFileSystem waiting(disk, [](const std::string&, const std::string&) {});
  waiting.playClock = true;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ResultsStore(waiting, path).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3))
      << "it really waited";
  EXPECT_GE(waiting.playedNow - SteppingFileSystem::Clock::time_point{}, kLockPatience);
  EXPECT_EQ(test::ReadBytes(path), FullList());

  // The other program is done a moment later.
  SteppingFileSystem released(disk, [&other](const std::string& op, const std::string&) {
    if (op == "sleep") other.reset();
  });
  released.playClock = true;
  EXPECT_TRUE(ResultsStore(released, path).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(test::ReadBytes(path).substr(0, 12), RecordBytes("X", 60));
}

TEST(ResultsStoreOnDisk, AReaderBetweenAnyTwoStepsOfASaveFindsAWholeList) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  const std::string before = FullList() + BlankRecords(70) + "tail";
  test::WriteBytes(path, before);
  std::string after;
  {
    TempFolder scratch;
    test::WriteBytes(scratch / "tavri.rnk", before);
    ASSERT_TRUE(
        ResultsStore(disk, scratch / "tavri.rnk").SaveEntry(XRange::MinusTwoToTwo, 45, U"NEW"));
    after = test::ReadBytes(scratch / "tavri.rnk");
  }
  int looks = 0;
  std::optional<std::ifstream> holder;
  bool held = false;
  SteppingFileSystem stepping(disk, [&](const std::string& op, const std::string&) {
    SystemFileSystem other;
    StoredLists seen = ResultsStore(other, path).Load();
    EXPECT_TRUE(seen.readable) << "before " << op;
    const std::string bytes = test::ReadBytes(path);
    EXPECT_TRUE(bytes == before || bytes == after) << "before " << op;
    ++looks;
    // Another program has the file open when the new one is first put in
    // its place (on Windows that holds the rename up until it lets go).
    if (op == "rename" && !held) {
      holder.emplace(test::FsPath(path), std::ios::binary);
      held = true;
    }
    if (op == "sleep" || op == "flushfolder" || op == "unlock") holder.reset();
  });
  stepping.playClock = true;
  ASSERT_TRUE(ResultsStore(stepping, path).SaveEntry(XRange::MinusTwoToTwo, 45, U"NEW"));
  holder.reset();
  EXPECT_EQ(test::ReadBytes(path), after);
  EXPECT_GE(looks, 9);
  EXPECT_TRUE(folder.Leftovers().empty());
}

TEST(ResultsStoreOnDisk, ASparseFileOfTwoGibibytesIsNeitherReadNorReplaced) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  test::WriteBytes(path, FullList());
  std::error_code error;
  std::filesystem::resize_file(test::FsPath(path), 2ull << 30, error);
  if (error) GTEST_SKIP() << "no sparse file here: " << error.message();
  ResultsStore store(disk, path);
  StoredLists stored = store.Load();
  EXPECT_FALSE(stored.readable);
  EXPECT_EQ(stored.lists[0][0].score, 0);
  EXPECT_FALSE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_FALSE(store.ClearLists());
  EXPECT_EQ(std::filesystem::file_size(test::FsPath(path)), 2ull << 30);
  EXPECT_TRUE(folder.Leftovers().empty());
}

TEST(ResultsStoreOnDisk, LeftoversOfAKilledSaveGoAtTheNextSave) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  test::WriteBytes(path + ".tmp-0123456789abcdef", "half a list");
  test::WriteBytes(path + ".tmp", "an older program's");
  test::WriteBytes(path + ".tmp-notes.txt", "a student's own");
  std::filesystem::create_directory(test::FsPath(path + ".tmp-fedcba9876543210"));
  ASSERT_TRUE(ResultsStore(disk, path).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_FALSE(std::filesystem::exists(test::FsPath(path + ".tmp-0123456789abcdef")));
  EXPECT_TRUE(std::filesystem::exists(test::FsPath(path + ".tmp")));
  EXPECT_EQ(test::ReadBytes(path + ".tmp-notes.txt"), "a student's own");
  EXPECT_TRUE(std::filesystem::is_directory(test::FsPath(path + ".tmp-fedcba9876543210")));
}

// A link at the file's name, at the lock file's, or at the name the first
// versions of the program used for the new file, is never followed: what it
// points to is neither read, nor written, nor made.
TEST(ResultsStoreOnDisk, LinksAreNeverFollowed) {
  TempFolder folder, victim;
  const std::string path = folder / "tavri.rnk";
  const std::string secret = victim / "authorized_keys";
  const std::string secretBytes = FullList() + BlankRecords(70) + "ssh-ed25519 AAAA victim\n";
  test::WriteBytes(secret, secretBytes);
  if (!MadeLink(secret, path)) GTEST_SKIP() << "this system makes no links for the tests";
  SystemFileSystem disk;
  ResultsStore store(disk, path);
  StoredLists stored = store.Load();
  EXPECT_FALSE(stored.readable);
  EXPECT_EQ(stored.lists[0][0].score, 0) << "read through the link";
  EXPECT_FALSE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_FALSE(store.ClearLists());
  EXPECT_EQ(test::ReadBytes(secret), secretBytes);
  EXPECT_TRUE(std::filesystem::is_symlink(test::FsPath(path)));

  // A link to nowhere: nothing is made where it points.
  std::filesystem::remove(test::FsPath(path));
  ASSERT_TRUE(MadeLink(victim / "made", path));
  EXPECT_FALSE(store.Load().readable);
  EXPECT_FALSE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_FALSE(std::filesystem::exists(test::FsPath(victim / "made")));

  // At the lock file's name (which only Windows locks).
  const std::string lockPath = path + ".lock";
  std::filesystem::remove(test::FsPath(path));
  test::WriteBytes(path, FullList());
  std::filesystem::remove(test::FsPath(lockPath));
  ASSERT_TRUE(MadeLink(victim / "lock", lockPath));
#ifdef _WIN32
  EXPECT_FALSE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(test::ReadBytes(path), FullList());
#else
  EXPECT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
#endif
  EXPECT_FALSE(std::filesystem::exists(test::FsPath(victim / "lock")));

  // At the old fixed name of the new file: not in the way any more.
  std::filesystem::remove(test::FsPath(lockPath));
  ASSERT_TRUE(MadeLink(secret, path + ".tmp"));
  EXPECT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(test::ReadBytes(secret), secretBytes);
  EXPECT_FALSE(std::filesystem::is_symlink(test::FsPath(path)));
  EXPECT_EQ(test::ReadBytes(path).substr(0, 12), RecordBytes("X", 60));
}

}  // namespace
}  // namespace tavri
