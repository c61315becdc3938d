// The stored lists on the in-memory disk: what a load shows, what a save and
// a clear write, and how they behave when other programs share the file.
#include "results/core/results_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "results/core/rank_codec.h"
#include "support/fake_file_system.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"

namespace tavri {
namespace {

using test::BlankRecords;
using test::FakeFileSystem;
using test::RecordBytes;

const std::string kFolder = "/class";
const std::string kPath = "/class/tavri.rnk";

// A pattern of bytes that must come through a save unchanged.
std::string Pattern(std::size_t size, char first = 'a') {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(first + i % 26);
  return bytes;
}

// Twenty-one records of four full lists (place p of range r scores
// 50 - 10p + r) whose names are "R<r>P<p>", and record 21.
std::string FourLists() {
  std::string bytes;
  for (int r = 0; r < 4; ++r)
    for (int p = 0; p < 5; ++p)
      bytes += RecordBytes("R" + std::to_string(r) + "P" + std::to_string(p),
                           static_cast<std::int16_t>(50 - 10 * p + r));
  return bytes + RecordBytes("TWENTYONE", 7);
}

std::u32string Padded(std::u32string name) {
  name.resize(kNameLength, U' ');
  return name;
}

ListEntry Entry(std::u32string name, std::int16_t score) {
  return {Padded(std::move(name)), score};
}

BestFive ListOf(const StoredLists& stored, XRange range) {
  return stored.lists[static_cast<std::size_t>(RangeIndex(range))];
}

const std::vector<std::string> kSaveSteps{"open",   "lock",        "list",  "read",
                                          "create", "write",       "flush", "close",
                                          "rename", "flushfolder", "unlock"};

// What can stand where the list should be, or be wrong with its folder;
// whether a load must find it unreadable, and whether a save must refuse it.
struct NotAPlainFile {
  const char* what;
  void (*put)(FakeFileSystem&);
  bool unreadable, unsaveable;
};
const NotAPlainFile kNotPlainFiles[] = {
    {"a link to a file",
     [](FakeFileSystem& d) {
       d.Put("/home/victim/secret", FourLists() + "PRIVATE KEY");
       d.PutLink(kPath, "/home/victim/secret");
     },
     true, true},
    {"a link to nowhere", [](FakeFileSystem& d) { d.PutLink(kPath, "/home/victim/new"); }, true,
     true},
    {"a folder", [](FakeFileSystem& d) { d.PutFolder(kPath); }, true, true},
    {"a pipe", [](FakeFileSystem& d) { d.PutPipe(kPath); }, true, true},
    {"a device", [](FakeFileSystem& d) { d.PutDevice(kPath); }, true, true},
    {"a 2 GiB sparse file", [](FakeFileSystem& d) { d.PutSparse(kPath, 2ull << 30); }, true, true},
    {"one byte too many",
     [](FakeFileSystem& d) {
       d.Put(kPath, FourLists() + std::string(kMaxResultsFileSize - 251, 'x'));
     },
     true, false},
    {"no permission",
     [](FakeFileSystem& d) {
       d.Put(kPath, FourLists());
       d.At(kPath)->unreadable = true;
     },
     true, true},
    {"no folder",
     [](FakeFileSystem& d) {
       d.Put(kPath, FourLists());
       d.missingFolders.insert(kFolder);
     },
     true, true},
    {"a folder others could replace",
     [](FakeFileSystem& d) {
       d.Put(kPath, FourLists());
       d.unsafeFolders.insert(kFolder);
     },
     true, true},
    {"a file as the folder",
     [](FakeFileSystem& d) {
       d.Put(kPath, FourLists());
       d.Put(kFolder, "");
     },
     true, true},
};

// --- Loading ------------------------------------------------------------------

TEST(ResultsStoreLoad, AMissingFileIsCreatedEmptyAndEveryPlaceIsBlank) {
  FakeFileSystem disk;
  ResultsStore store(disk, kPath);
  StoredLists stored = store.Load();
  EXPECT_TRUE(stored.readable);
  for (const BestFive& list : stored.lists)
    for (const ListEntry& entry : list) EXPECT_EQ(entry, Entry(U"", 0));
  ASSERT_TRUE(disk.IsFile(kPath));
  EXPECT_EQ(disk.Bytes(kPath), "");
  EXPECT_EQ(disk.At(kPath)->mode, 0664u);
  EXPECT_EQ(disk.Ops(), (std::vector<std::string>{"open", "read", "create", "close"}));
}

TEST(ResultsStoreLoad, ThePlaceIsFoundWhenTheListIsFirstUsedAndOnlyThen) {
  FakeFileSystem disk;
  int asked = 0;
  ResultsStore store(disk, [&asked] {
    ++asked;
    return kPath;
  });
  EXPECT_EQ(asked, 0);
  EXPECT_TRUE(disk.Ops().empty());
  store.Load();
  ASSERT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 1, U"X"));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(store.path(), kPath);
  EXPECT_EQ(disk.Bytes(kPath).substr(0, 12), RecordBytes("X", 1));
}

TEST(ResultsStoreLoad, RecordFivePPlusROneIsPlacePOfRangeR) {
  FakeFileSystem disk;
  const std::string bytes = FourLists() + Pattern(1000);
  disk.Put(kPath, bytes);
  StoredLists stored = ResultsStore(disk, kPath).Load();
  EXPECT_TRUE(stored.readable);
  for (int r = 0; r < 4; ++r)
    for (int p = 0; p < 5; ++p) {
      const ListEntry& entry =
          stored.lists[static_cast<std::size_t>(r)][static_cast<std::size_t>(p)];
      std::string name = "R" + std::to_string(r) + "P" + std::to_string(p);
      EXPECT_EQ(entry, Entry(std::u32string(name.begin(), name.end()),
                             static_cast<std::int16_t>(50 - 10 * p + r)));
    }
  // Looking changes nothing.
  EXPECT_EQ(disk.Bytes(kPath), bytes);
  EXPECT_EQ(disk.Ops(), (std::vector<std::string>{"open", "read"}));
}

TEST(ResultsStoreLoad, ScoresAreSixteenBitLittleEndianAndNamesCodePage932) {
  FakeFileSystem disk;
  disk.Put(kPath, RecordBytes("\x82\xBD\x82\xEB\x82\xA4", 50) +
                      std::string("AB        \xFF\xFF", 12) + RecordBytes("MIN", -32768) +
                      RecordBytes("MAX", 32767) + "\x82\xBD\x82");
  const BestFive& list = ListOf(ResultsStore(disk, kPath).Load(), XRange::MinusTwoToTwo);
  EXPECT_EQ(list[0], Entry(U"たろう", 50));
  EXPECT_EQ(list[1], Entry(U"AB", -1));
  EXPECT_EQ(list[2], Entry(U"MIN", -32768));
  EXPECT_EQ(list[3], Entry(U"MAX", 32767));
  // A record cut off by the end of the file: its name up to the cut, the
  // half character as a replacement character, and 0.
  EXPECT_EQ(list[4], Entry(U"た\uFFFD", 0));
}

TEST(ResultsStoreLoad, AnythingButAPlainFileOfAtMostOneMebibyteReadsAsUnreadable) {
  for (const NotAPlainFile& c : kNotPlainFiles) {
    if (!c.unreadable) continue;
    SCOPED_TRACE(c.what);
    FakeFileSystem disk;
    c.put(disk);
    const std::vector<std::string> before = disk.Names();
    StoredLists stored = ResultsStore(disk, kPath).Load();
    EXPECT_FALSE(stored.readable);
    for (const BestFive& list : stored.lists)
      for (const ListEntry& entry : list) EXPECT_EQ(entry, Entry(U"", 0));
    EXPECT_EQ(disk.Names(), before) << "something was made";
    for (const std::string& op : disk.Ops()) EXPECT_TRUE(op == "open" || op == "read") << op;
  }
  // No place at all: a settings file that names one could not be read.
  FakeFileSystem none;
  ResultsStore nowhere(none, "");
  EXPECT_FALSE(nowhere.Load().readable);
  EXPECT_EQ(nowhere.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"), Stored::No);
  EXPECT_EQ(nowhere.ClearLists(), Stored::No);
  EXPECT_TRUE(none.steps.empty());
  FakeFileSystem disk;
  disk.Put(kPath, FourLists() + std::string(kMaxResultsFileSize - 252, 'x'));
  EXPECT_TRUE(ResultsStore(disk, kPath).Load().readable) << "exactly 1 MiB";
}

TEST(ResultsStoreLoad, AFileHeldByAnotherProgramIsReadOnceItIsFree) {
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  disk.busyReads[kPath] = 3;
  StoredLists stored = ResultsStore(disk, kPath).Load();
  EXPECT_TRUE(stored.readable);
  EXPECT_EQ(ListOf(stored, XRange::OneToFive)[0].score, 51);
  EXPECT_EQ(disk.sleeps, 3);

  // Held for good (a lease): the window is not kept waiting for it.
  disk.busyReads[kPath] = 1000000;
  disk.now = {};
  EXPECT_FALSE(ResultsStore(disk, kPath).Load().readable);
  EXPECT_GE(disk.now - FakeFileSystem::Clock::time_point{}, kLookPatience);
  EXPECT_LT(disk.now - FakeFileSystem::Clock::time_point{}, std::chrono::seconds(1));
  // A save waits longer, as it waits for another save, and then says so.
  disk.now = {};
  EXPECT_EQ(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"), Stored::No);
  EXPECT_GE(disk.now - FakeFileSystem::Clock::time_point{}, kLockPatience);
}

// --- Saving -------------------------------------------------------------------

TEST(ResultsStoreSave, TheFirstSaveMakesNineHundredBytes) {
  FakeFileSystem disk;
  ResultsStore store(disk, kPath);
  store.Load();
  ASSERT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 30, U"たろう"));
  EXPECT_EQ(disk.Bytes(kPath), RecordBytes("\x82\xBD\x82\xEB\x82\xA4", 30) + BlankRecords(74));
  StoredLists stored = store.Load();
  EXPECT_EQ(ListOf(stored, XRange::MinusTwoToTwo)[0], Entry(U"たろう", 30));
}

TEST(ResultsStoreSave, TheNewEntryGoesAboveEqualScoresAndTheOldFifthDropsOut) {
  FakeFileSystem disk;
  // Range 2 holds names whose bytes are no characters at all: the entries
  // that move down keep them exactly.
  std::string bytes = BlankRecords(10);
  const std::string odd[] = {"\xFF\xFE\xFD", "\x82", "B", "\x80\xA0", "E"};
  const std::int16_t scores[] = {50, 40, 30, 30, 10};
  for (int p = 0; p < 5; ++p) bytes += RecordBytes(odd[p], scores[p]);
  disk.Put(kPath, bytes);
  ResultsStore store(disk, kPath);
  ASSERT_TRUE(store.SaveEntry(XRange::MinusFiveToMinusOne, 30, U"NEW"));
  const std::string after = disk.Bytes(kPath);
  EXPECT_EQ(after.substr(120, 60), RecordBytes(odd[0], 50) + RecordBytes(odd[1], 40) +
                                       RecordBytes("NEW", 30) + RecordBytes(odd[2], 30) +
                                       RecordBytes(odd[3], 30));
  EXPECT_EQ(after.substr(0, 120), BlankRecords(10));
  EXPECT_EQ(after.size(), 900u);

  ASSERT_TRUE(store.SaveEntry(XRange::MinusFiveToMinusOne, 51, U"TOP"));
  EXPECT_EQ(disk.Bytes(kPath).substr(120, 24), RecordBytes("TOP", 51) + RecordBytes(odd[0], 50));
  // Now TOP, 50, 40, NEW 30, B 30: another 30 goes above both.
  ASSERT_TRUE(store.SaveEntry(XRange::MinusFiveToMinusOne, 30, U"LAST"));
  EXPECT_EQ(disk.Bytes(kPath).substr(156, 24), RecordBytes("LAST", 30) + RecordBytes("NEW", 30));
}

TEST(ResultsStoreSave, AScoreBelowAllFiveWritesNothingAndSaysSo) {
  FakeFileSystem disk;
  const std::string bytes = FourLists();
  disk.Put(kPath, bytes);
  EXPECT_EQ(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 9, U"LOW"), Stored::NoPlace);
  EXPECT_EQ(disk.Bytes(kPath), bytes);
  EXPECT_EQ(disk.Ops(), (std::vector<std::string>{"open", "lock", "list", "read", "unlock"}));
  // Into blank places a negative score makes no place either: a blank is 0.
  FakeFileSystem empty;
  empty.Put(kPath, "");
  EXPECT_EQ(ResultsStore(empty, kPath).SaveEntry(XRange::Random, -1, U"NEG"), Stored::NoPlace);
  EXPECT_EQ(empty.Bytes(kPath), "");
}

TEST(ResultsStoreSave, KeepsRecordTwentyOneAndEveryByteAfterRecordSeventyFive) {
  FakeFileSystem disk;
  const std::string before = FourLists() + Pattern(1000 - 252);
  disk.Put(kPath, before);
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::OneToFive, 60, U"NEW"));
  const std::string after = disk.Bytes(kPath);
  ASSERT_EQ(after.size(), 1000u);
  EXPECT_EQ(after.substr(0, 60), before.substr(0, 60));
  EXPECT_EQ(after.substr(60, 60),
            RecordBytes("NEW", 60) + before.substr(60, 48));  // the old fifth is gone
  EXPECT_EQ(after.substr(120, 132), before.substr(120, 132)) << "ranges 2, 3 and record 21";
  EXPECT_EQ(after.substr(252, 648), BlankRecords(54)) << "records 22 to 75 are written blank";
  EXPECT_EQ(after.substr(900), before.substr(900));
}

TEST(ResultsStoreSave, ShortFilesGrowToNineHundredBytesAndACutRecordReadsAsBefore) {
  for (std::size_t size : {0u, 5u, 11u, 12u, 185u, 250u, 899u}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    FakeFileSystem disk;
    const std::string before = (FourLists() + Pattern(900)).substr(0, size);
    disk.Put(kPath, before);
    ResultsStore store(disk, kPath);
    const StoredLists looked = store.Load();
    ASSERT_TRUE(store.SaveEntry(XRange::Random, 100, U"NEW"));
    const std::string after = disk.Bytes(kPath);
    ASSERT_EQ(after.size(), 900u);
    // Whole records of the other lists come back as they were.
    const std::size_t whole = std::min<std::size_t>(size / kRecordSize, 15) * kRecordSize;
    EXPECT_EQ(after.substr(0, whole), before.substr(0, whole));
    // Everything reads back as it read before, with the new entry on top.
    StoredLists again = store.Load();
    for (XRange range : {XRange::MinusTwoToTwo, XRange::OneToFive, XRange::MinusFiveToMinusOne})
      EXPECT_EQ(ListOf(again, range), ListOf(looked, range));
    EXPECT_EQ(ListOf(again, XRange::Random)[0], Entry(U"NEW", 100));
    for (std::size_t p = 1; p < 5; ++p)
      EXPECT_EQ(ListOf(again, XRange::Random)[p], ListOf(looked, XRange::Random)[p - 1]);
  }
}

TEST(ResultsStoreSave, NamesAreCutToTenBytesAndNeverSplitACharacter) {
  struct Case {
    std::u32string name;
    std::string field;
  };
  const Case cases[] = {
      {U"ABCDEFGHIJKL", "ABCDEFGHIJ"},
      {U"aあいうえお", "a\x82\xA0\x82\xA2\x82\xA4\x82\xA6 "},
      {U"", "          "},
      {U"ABC", "ABC       "},
      {U"é☃x", "??x       "},
  };
  for (const Case& c : cases) {
    FakeFileSystem disk;
    ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 1, c.name));
    EXPECT_EQ(disk.Bytes(kPath).substr(0, 12), RecordBytes(c.field, 1));
  }
}

TEST(ResultsStoreSave, EverySixteenBitScoreIsStoredAsItIs) {
  for (int score : {-32768, -32767, -1, 0, 1, 50, 255, 256, 32767}) {
    FakeFileSystem disk;
    disk.Put(kPath, BlankRecords(10) + RecordBytes("", -32768) + RecordBytes("", -32768) +
                        RecordBytes("", -32768) + RecordBytes("", -32768) +
                        RecordBytes("", -32768));
    ResultsStore store(disk, kPath);
    ASSERT_TRUE(
        store.SaveEntry(XRange::MinusFiveToMinusOne, static_cast<std::int16_t>(score), U"S"));
    EXPECT_EQ(ListOf(store.Load(), XRange::MinusFiveToMinusOne)[0],
              Entry(U"S", static_cast<std::int16_t>(score)));
    EXPECT_EQ(disk.Bytes(kPath).substr(120, 12),
              RecordBytes("S", static_cast<std::int16_t>(score)));
  }
}

TEST(ResultsStoreSave, ASaveAfterAnotherProgramsSaveKeepsBothEntries) {
  // Two windows open on one list; one stores ALICE, then the other BOB.
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  ResultsStore first(disk, kPath), second(disk, kPath);
  first.Load();
  second.Load();
  ASSERT_TRUE(second.SaveEntry(XRange::OneToFive, 45, U"ALICE"));
  ASSERT_TRUE(first.SaveEntry(XRange::OneToFive, 45, U"BOB"));
  const BestFive& list = ListOf(first.Load(), XRange::OneToFive);
  EXPECT_EQ(list[0], Entry(U"R1P0", 51));
  EXPECT_EQ(list[1], Entry(U"BOB", 45));
  EXPECT_EQ(list[2], Entry(U"ALICE", 45));
  EXPECT_EQ(list[3], Entry(U"R1P1", 41));
}

TEST(ResultsStoreSave, AScoreThatNoLongerMakesAPlaceWritesNothingAndSaysSo) {
  FakeFileSystem disk;
  ResultsStore window(disk, kPath);
  window.Load();  // empty lists: any score would place
  std::string full = FourLists();
  disk.Put(kPath, full);  // others have filled them meanwhile
  EXPECT_EQ(window.SaveEntry(XRange::Random, 5, U"LATE"), Stored::NoPlace);
  EXPECT_EQ(disk.Bytes(kPath), full);
}

TEST(ResultsStoreSave, WaitsForAnotherProgramsSaveAndKeepsItsEntry) {
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  disk.lockedElsewhere.insert(kFolder);
  disk.beforeStep = [&disk](const std::string& op, const std::string&) {
    // The other program finishes its save two seconds later.
    if (op == "sleep" &&
        disk.now >= FakeFileSystem::Clock::time_point{} + std::chrono::seconds(2) &&
        disk.lockedElsewhere.count(kFolder)) {
      disk.Put(kPath, RecordBytes("OTHER", 99) + FourLists().substr(12));
      disk.lockedElsewhere.clear();
    }
  };
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"MINE"));
  const BestFive& list = ListOf(ResultsStore(disk, kPath).Load(), XRange::MinusTwoToTwo);
  EXPECT_EQ(list[0], Entry(U"OTHER", 99));
  EXPECT_EQ(list[1], Entry(U"MINE", 60));
  EXPECT_GT(disk.sleeps, 0);
  EXPECT_LT(disk.now - FakeFileSystem::Clock::time_point{}, std::chrono::seconds(3));
}

TEST(ResultsStoreSave, GivesUpAfterAFewSecondsWhenTheLockStaysHeld) {
  FakeFileSystem disk;
  const std::string before = FourLists();
  disk.Put(kPath, before);
  disk.lockedElsewhere.insert(kFolder);
  EXPECT_FALSE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"MINE"));
  EXPECT_FALSE(ResultsStore(disk, kPath).ClearLists());
  EXPECT_EQ(disk.Bytes(kPath), before);
  const auto waited = disk.now - FakeFileSystem::Clock::time_point{};
  EXPECT_GE(waited, 2 * kLockPatience);
  EXPECT_LT(waited, 2 * kLockPatience + std::chrono::seconds(1));
  for (const std::string& op : disk.Ops()) EXPECT_TRUE(op == "open" || op == "lock") << op;
}

TEST(ResultsStoreSave, AnythingButAPlainFileIsNeverReplacedAndTheSaveRefused) {
  for (const NotAPlainFile& c : kNotPlainFiles) {
    if (!c.unsaveable) continue;
    SCOPED_TRACE(c.what);
    for (bool clear : {false, true}) {
      FakeFileSystem disk;
      c.put(disk);
      const std::vector<std::string> names = disk.Names();
      const std::string secret = disk.Bytes("/home/victim/secret");
      ResultsStore store(disk, kPath);
      EXPECT_FALSE(clear ? store.ClearLists() : store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
      EXPECT_EQ(disk.Names(), names);
      EXPECT_EQ(disk.Bytes("/home/victim/secret"), secret);
      for (const std::string& op : disk.Ops())
        EXPECT_TRUE(op == "open" || op == "lock" || op == "list" || op == "read" || op == "unlock")
            << op;
    }
  }
}

TEST(ResultsStoreSave, ANameTakenWhereTheNewFileShouldGoIsPassedOverNotFollowed) {
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  disk.Put("/home/victim/.ssh/authorized_keys", "ssh-ed25519 AAAA victim\n", 0600);
  std::string trap;
  disk.beforeStep = [&](const std::string& op, const std::string& path) {
    // Someone sees the name coming and puts a link there first.
    if (op == "create" && trap.empty()) {
      trap = path;
      disk.PutLink(path, "/home/victim/.ssh/authorized_keys");
    }
  };
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(disk.Bytes("/home/victim/.ssh/authorized_keys"), "ssh-ed25519 AAAA victim\n");
  EXPECT_EQ(disk.At(trap)->kind, test::NodeKind::Link);
  EXPECT_TRUE(disk.IsFile(kPath));
  EXPECT_EQ(ListOf(ResultsStore(disk, kPath).Load(), XRange::MinusTwoToTwo)[0], Entry(U"X", 60));

  // Every name taken: after a few tries the save gives up, and says so.
  FakeFileSystem crowded;
  crowded.Put(kPath, FourLists());
  crowded.beforeStep = [&crowded](const std::string& op, const std::string& path) {
    if (op == "create") crowded.PutFolder(path);
  };
  EXPECT_FALSE(ResultsStore(crowded, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(crowded.Bytes(kPath), FourLists());
}

TEST(ResultsStoreSave, NewFilesHaveNamesOfTheirOwnBesideTheList) {
  FakeFileSystem disk;
  ResultsStore store(disk, kPath);
  std::vector<std::string> made;
  disk.beforeStep = [&made](const std::string& op, const std::string& path) {
    if (op == "create") made.push_back(path);
  };
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 1, U"X"));
  ASSERT_EQ(made.size(), 20u);
  std::sort(made.begin(), made.end());
  EXPECT_EQ(std::unique(made.begin(), made.end()), made.end());
  for (const std::string& path : made) {
    EXPECT_TRUE(path.starts_with(store.temporaryPrefix())) << path;
    EXPECT_EQ(path.size(), store.temporaryPrefix().size() + 16) << path;
    EXPECT_EQ(path.find_first_not_of("0123456789abcdef", store.temporaryPrefix().size()),
              std::string::npos)
        << path;
  }
  EXPECT_EQ(store.temporaryPrefix(), kPath + ".tmp-");
  EXPECT_TRUE(disk.Leftovers(kPath).empty());
}

TEST(ResultsStoreSave, LeftoversOfAKilledSaveGoAtTheNextSaveAndNothingElse) {
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  disk.Put(kPath + ".tmp-0123456789abcdef", "half a list");
  disk.Put(kPath + ".tmp-fedcba9876543210", "another");
  // Someone's own files, and things no save makes.
  const std::vector<std::string> kept = {kPath + ".tmp-notes.txt",
                                         kPath + ".tmp-0123456789ABCDEF",
                                         kPath + ".tmp-0123456789abcde",
                                         kPath + ".tmp-0123456789abcdef0",
                                         kPath + ".tmp",
                                         kFolder + "/other.tmp-1",
                                         kPath + ".tmp-aaaaaaaaaaaaaaaa",
                                         kPath + ".tmp-bbbbbbbbbbbbbbbb"};
  for (std::size_t i = 0; i + 2 < kept.size(); ++i) disk.Put(kept[i], "someone's");
  disk.PutLink(kept[6], "/home/victim/secret");
  disk.PutFolder(kept[7]);
  disk.Put("/home/victim/secret", "secret");
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_FALSE(disk.Exists(kPath + ".tmp-0123456789abcdef"));
  EXPECT_FALSE(disk.Exists(kPath + ".tmp-fedcba9876543210"));
  for (const std::string& name : kept) EXPECT_TRUE(disk.Exists(name)) << name;
  EXPECT_EQ(disk.Bytes("/home/victim/secret"), "secret");
}

TEST(ResultsStoreSave, AFolderFullOfPlantedNamesHoldsTheLockForAMomentOnly) {
  // Ten thousand names of the form saves give, each removal a millisecond:
  // removing them all would keep a waiting save out for ten seconds.
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  for (int i = 0; i < 10000; ++i) {
    char name[17];
    std::snprintf(name, sizeof name, "%016x", i);
    disk.Put(kPath + ".tmp-" + name, "");
  }
  disk.stepTime = std::chrono::milliseconds(1);
  FakeFileSystem::Clock::time_point locked{}, unlocked{};
  disk.beforeStep = [&](const std::string& op, const std::string&) {
    if (op == "lock") locked = disk.now;
    if (op == "unlock") unlocked = disk.now;
  };
  for (int save = 0; save < 2; ++save) {
    const std::size_t before = disk.Leftovers(kPath).size();
    ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
    EXPECT_LT(unlocked - locked, kCleanUpTime + std::chrono::milliseconds(50));
    // Each save clears some of them away.
    EXPECT_LT(disk.Leftovers(kPath).size(), before);
  }
}

TEST(ResultsStoreSave, AReplacedFileKeepsItsModeAndGroupANewOneIs0664BeforeTheUmask) {
  FakeFileSystem disk;
  disk.umask = 077;
  disk.userGroup = 1000;
  disk.Put(kPath, FourLists(), 0640, 500);
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(disk.At(kPath)->mode, 0640u);
  EXPECT_EQ(disk.At(kPath)->group, 500);
  ASSERT_TRUE(ResultsStore(disk, kPath).ClearLists());
  EXPECT_EQ(disk.At(kPath)->mode, 0640u);

  for (std::uint32_t umask : {002u, 022u, 077u}) {
    FakeFileSystem fresh;
    fresh.umask = umask;
    ASSERT_TRUE(ResultsStore(fresh, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
    EXPECT_EQ(fresh.At(kPath)->mode, 0664u & ~umask);
  }
}

TEST(ResultsStoreSave, ASaveOrAClearWritesFlushesClosesRenamesAndFlushesTheFolderUnderTheLock) {
  for (bool clear : {false, true}) {
    SCOPED_TRACE(clear ? "clear" : "save");
    FakeFileSystem disk;
    disk.Put(kPath, FourLists());
    ResultsStore store(disk, kPath);
    ASSERT_TRUE(clear ? store.ClearLists() : store.SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
    ASSERT_EQ(disk.Ops(), kSaveSteps);
    const std::vector<test::Step>& s = disk.steps;
    for (std::size_t i : {0u, 1u, 2u, 9u, 10u}) EXPECT_EQ(s[i].path, kFolder) << s[i].op;
    EXPECT_EQ(s[3].path, kPath);
    EXPECT_TRUE(s[4].path.starts_with(kPath + ".tmp-"));
    for (std::size_t i = 5; i <= 8; ++i) EXPECT_EQ(s[i].path, s[4].path);
    EXPECT_EQ(s[8].to, kPath);
  }
}

TEST(ResultsStoreSave, AFileAnotherProgramHasOpenIsReplacedOnceItIsFree) {
  FakeFileSystem disk;
  disk.Put(kPath, FourLists());
  disk.busyRenames[kPath] = 4;
  ASSERT_TRUE(ResultsStore(disk, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(disk.Bytes(kPath).substr(0, 12), RecordBytes("X", 60));
  EXPECT_TRUE(disk.Leftovers(kPath).empty());

  FakeFileSystem held;
  held.Put(kPath, FourLists());
  held.busyRenames[kPath] = 1000000;
  EXPECT_FALSE(ResultsStore(held, kPath).SaveEntry(XRange::MinusTwoToTwo, 60, U"X"));
  EXPECT_EQ(held.Bytes(kPath), FourLists());
  EXPECT_TRUE(held.Leftovers(kPath).empty());
}

TEST(ResultsStoreSave, APathWithoutAFolderWorksAsWell) {
  FakeFileSystem disk;
  disk.Put("tavri.rnk.tmp-0123456789abcdef", "half a list");
  ResultsStore store(disk, "tavri.rnk");
  store.Load();
  ASSERT_TRUE(store.SaveEntry(XRange::MinusTwoToTwo, 1, U"X"));
  EXPECT_EQ(disk.Names(), (std::vector<std::string>{"tavri.rnk"}));
  EXPECT_EQ(disk.Bytes("tavri.rnk").substr(0, 12), RecordBytes("X", 1));
  EXPECT_EQ(disk.steps.at(disk.steps.size() - 2).path, ".");  // the folder flushed
}

TEST(ResultsStoreSave, AnXRangeOutsideTheFourIsRefused) {
  FakeFileSystem disk;
  EXPECT_EQ(ResultsStore(disk, kPath).SaveEntry(static_cast<XRange>(4), 60, U"X"), Stored::No);
  EXPECT_EQ(ResultsStore(disk, kPath).SaveEntry(static_cast<XRange>(-1), 60, U"X"), Stored::No);
  EXPECT_TRUE(disk.steps.empty());
}

// --- Clearing -----------------------------------------------------------------

TEST(ResultsStoreClear, BlanksTheFourListsAsTheyAreNowAndKeepsEverythingAfterThem) {
  FakeFileSystem disk;
  ResultsStore window(disk, kPath);
  window.Load();
  const std::string now = FourLists() + Pattern(1000);
  disk.Put(kPath, now);
  ASSERT_TRUE(window.ClearLists());
  EXPECT_EQ(disk.Bytes(kPath), BlankRecords(20) + now.substr(240));

  for (std::size_t size : {0u, 100u, 240u}) {
    FakeFileSystem shorter;
    shorter.Put(kPath, now.substr(0, size));
    ASSERT_TRUE(ResultsStore(shorter, kPath).ClearLists());
    EXPECT_EQ(shorter.Bytes(kPath), BlankRecords(20));
  }
  FakeFileSystem missing;
  ASSERT_TRUE(ResultsStore(missing, kPath).ClearLists());
  EXPECT_EQ(missing.Bytes(kPath), BlankRecords(20));
}

}  // namespace
}  // namespace tavri
