// Saving the results list when things go wrong: the program dies at any
// point of a save, a write fails after any number of bytes (a full disk), the
// folder takes no new files, something else stands where a file should be,
// and files of awkward lengths. Every time, the list read back afterwards is
// the old one or the new one, and a save that did not happen is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "results/core/form3.h"
#include "results/core/rank_codec.h"
#include "results/core/results_file.h"
#include "support/fake_file_system.h"
#include "support/fake_form3_host.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::FakeFileSystem;
using test::FakeForm3Host;
using test::FakePlatform;

const std::string kPath = "tavri.rnk";
const std::string kSaveFailed = "成績を保存できませんでした。";

std::string Record(const std::string& nameBytes, std::int16_t score) {
  std::string bytes = nameBytes;
  bytes.resize(kNameFieldSize, ' ');
  auto raw = static_cast<std::uint16_t>(score);
  bytes += static_cast<char>(raw & 0xFF);
  bytes += static_cast<char>(raw >> 8);
  return bytes;
}

// A file of `size` bytes whose first list is full ("－２～２", places 50 to
// 10) and whose bytes after the lists are a pattern that must survive.
std::string OldFile(std::size_t size) {
  std::string bytes;
  const char* names[] = {"\x82\xBD\x82\xEB\x82\xA4", "HANAKO", "JIRO", "A", "B"};
  for (int place = 0; place < 5; ++place)
    bytes += Record(names[place], static_cast<std::int16_t>(50 - 10 * place));
  while (bytes.size() < size) bytes += static_cast<char>('a' + bytes.size() % 26);
  bytes.resize(size);
  return bytes;
}

// The program dies when its budget runs out: each byte that reaches the
// disk costs one, and so does the rename. Nothing after that runs.
struct PowerCut {};

class DyingFileSystem : public FakeFileSystem {
 public:
  explicit DyingFileSystem(std::size_t budget) : budget_(budget) {}
  bool WriteFileDurably(const std::string& path, std::string_view bytes) override {
    if (bytes.size() > budget_) {
      files[path] = std::string(bytes.substr(0, budget_));
      throw PowerCut{};
    }
    budget_ -= bytes.size();
    return FakeFileSystem::WriteFileDurably(path, bytes);
  }
  bool RenameOver(const std::string& from, const std::string& to) override {
    if (budget_ == 0) throw PowerCut{};
    --budget_;
    return FakeFileSystem::RenameOver(from, to);
  }

 private:
  std::size_t budget_;
};

// One finished game with score 42 in x range 0 whose player types "NEW" and
// presses Enter.
struct Save {
  Module1 module;
  FakePlatform platform;
  FakeForm3Host host;

  void Run(FileSystem& files, const std::string& path) {
    module.totalScore = 42;
    Form3 form(module, platform, host, files, path);
    form.Form_Load();
    ASSERT_TRUE(form.Text1.Visible);
    form.Text1.Text = "NEW";
    form.Text1_Change();
    form.Text1_KeyPress(13);
  }
  bool Told() const {
    for (const MessageBoxSpec& box : platform.boxes)
      if (box.text == kSaveFailed) return true;
    return false;
  }
};

// The bytes a save writes when nothing goes wrong.
std::string NewFile(const std::optional<std::string>& old) {
  FakeFileSystem files;
  if (old) files.files[kPath] = *old;
  Save save;
  save.Run(files, kPath);
  return files.files.at(kPath);
}

// The first list as the window shows it after a restart.
std::vector<std::string> ListAfterRestart(FileSystem& files, const std::string& path) {
  Module1 module;
  FakePlatform platform;
  FakeForm3Host host;
  Form3 form(module, platform, host, files, path);
  form.Form_Load();
  std::vector<std::string> list;
  for (int i = 0; i < 5; ++i) list.push_back(form.namae[i].Caption + "/" + form.jikan[i].Caption);
  return list;
}

// The list a fresh run of the program shows for a file of these bytes.
std::vector<std::string> ListOf(const std::string& bytes) {
  FakeFileSystem files;
  files.files[kPath] = bytes;
  return ListAfterRestart(files, kPath);
}

TEST(ResultsFaults, KilledAtAnyPointOfASaveLeavesTheOldListOrTheNew) {
  // No file yet, one shorter than a record, one shorter than the lists,
  // exactly the lists, and longer.
  for (std::optional<std::string> old :
       {std::optional<std::string>{}, std::optional(OldFile(5)), std::optional(OldFile(250)),
        std::optional(OldFile(900)), std::optional(OldFile(1000))}) {
    const std::string before = old.value_or("");
    const std::string next = NewFile(old);
    const std::vector<std::string> oldList = ListOf(before), newList = ListOf(next);
    ASSERT_NE(oldList, newList);
    SCOPED_TRACE("old file of " + std::to_string(before.size()) + " bytes");
    bool sawNew = false;
    // A save costs every byte of the new file and the rename; one budget
    // more than that lets it finish.
    for (std::size_t budget = 0; budget <= next.size() + 1; ++budget) {
      DyingFileSystem files(budget);
      if (old) files.files[kPath] = *old;
      bool died = false;
      try {
        Save save;
        save.Run(files, kPath);
      } catch (const PowerCut&) {
        died = true;
      }
      ASSERT_EQ(died, budget <= next.size()) << "budget " << budget;
      const std::string after = files.files.at(kPath);
      ASSERT_TRUE(after == before || after == next) << "budget " << budget;
      // Once the rename has happened the file is new for good.
      ASSERT_TRUE(!sawNew || after == next) << "budget " << budget;
      sawNew = after == next;

      // The next run of the program, with a half-written temporary file
      // left beside the list, reads the list as it is and can save again.
      FakeFileSystem restarted;
      restarted.files = files.files;
      ASSERT_EQ(ListAfterRestart(restarted, kPath), after == next ? newList : oldList);
      if (budget % 64 == 0 || budget + 2 >= next.size()) {
        Save again;
        again.Run(restarted, kPath);
        EXPECT_FALSE(again.Told());
        EXPECT_EQ(restarted.files.count(kPath + ".tmp"), 0u);
      }
    }
    EXPECT_TRUE(sawNew);
  }
}

TEST(ResultsFaults, AWriteThatFailsAfterAnyByteCountKeepsTheOldListAndIsTold) {
  const std::string before = OldFile(1000);
  const std::string next = NewFile(before);
  for (std::size_t written = 0; written < next.size(); ++written) {
    FakeFileSystem files;
    files.files[kPath] = before;
    files.writeFailsAfter = written;  // the disk is full after this many bytes
    Save save;
    save.Run(files, kPath);
    ASSERT_EQ(files.files.at(kPath), before) << written << " bytes written";
    ASSERT_TRUE(save.Told()) << written << " bytes written";
    EXPECT_EQ(save.host.unloads, 1);
    // Nothing half-written is left beside the list to be mistaken for it.
    EXPECT_EQ(files.files.count(kPath + ".tmp"), 0u);
  }
}

TEST(ResultsFaults, ARefusedRenameKeepsTheOldListAndIsTold) {
  const std::string before = OldFile(900);
  FakeFileSystem files;
  files.files[kPath] = before;
  files.renameFails = true;
  Save save;
  save.Run(files, kPath);
  EXPECT_EQ(files.files.at(kPath), before);
  EXPECT_TRUE(save.Told());
}

TEST(ResultsFaults, SomethingStandingWhereAFileShouldBeIsNeverReplaced) {
  const std::string before = OldFile(900);
  {  // a folder in the place of the temporary file: the new list cannot be written
    FakeFileSystem files;
    files.files[kPath] = before;
    files.folders.insert(kPath + ".tmp");
    Save save;
    save.Run(files, kPath);
    EXPECT_EQ(files.files.at(kPath), before);
    EXPECT_TRUE(save.Told());
  }
  {  // the list cannot be read (locked, or no permission): it is not overwritten
    FakeFileSystem files;
    files.files[kPath] = before;
    files.unreadable.insert(kPath);
    Save save;
    save.Run(files, kPath);
    EXPECT_EQ(files.files.at(kPath), before);
    EXPECT_TRUE(save.Told());
  }
}

// On the real disk: a folder where the file should be, and a folder where
// the temporary file should be. (Permission bits do not stop root, so a
// read-only folder is played with the seam above and, in the native fault
// tests, by a process that is not root.)
TEST(ResultsFaults, OnDiskAFolderInThePlaceOfEitherFileIsLeftAloneAndTold) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  std::filesystem::create_directory(path);
  Save first;
  first.Run(disk, path);
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(first.Told());

  std::filesystem::remove(path);
  test::WriteBytes(path, OldFile(900));
  std::filesystem::create_directory(path + ".tmp");
  Save second;
  second.Run(disk, path);
  EXPECT_EQ(test::ReadBytes(path), OldFile(900));
  EXPECT_TRUE(second.Told());
  EXPECT_TRUE(std::filesystem::is_directory(path + ".tmp"));
}

TEST(ResultsFaults, FilesOfAwkwardLengthsLoadAndSaveWithoutLoss) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  for (std::size_t size : {0u, 5u, 899u, 900u, 901u, 100000u}) {
    SCOPED_TRACE(std::to_string(size) + " bytes");
    const std::string before = OldFile(size);
    test::WriteBytes(path, before);

    std::vector<std::string> list = ListAfterRestart(disk, path);
    // Five bytes are a cut-off first record: its name up to the cut, and
    // the half character at the cut as a replacement character.
    const std::string first = size == 0 ? "/0" : size == 5 ? "たろ\uFFFD/0" : "たろう/50";
    EXPECT_EQ(list[0], first);
    EXPECT_EQ(test::ReadBytes(path), before) << "looking changed the file";

    Save save;
    save.Run(disk, path);
    EXPECT_FALSE(save.Told());
    const std::string after = test::ReadBytes(path);
    ASSERT_EQ(after.size(), std::max<std::size_t>(size, kStoredRecords * kRecordSize));
    if (size > 900) {
      EXPECT_EQ(after.substr(900), before.substr(900));
    }
    EXPECT_EQ(after, NewFile(before));
    list = ListAfterRestart(disk, path);
    if (size < 12) {
      EXPECT_EQ(list[0], "NEW/42");
    } else {
      EXPECT_EQ(list[0], "たろう/50");
      EXPECT_EQ(list[1], "NEW/42");
    }
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  }
}

}  // namespace
}  // namespace tavri
