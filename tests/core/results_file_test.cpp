#include "results/core/results_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fake_file_system.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::FakeFileSystem;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

std::string Numbered(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

TEST(ResultsFolder, BesideTheProgramWhenItCanBeWrittenElseTheDataFolder) {
  auto only = [](std::string writable) {
    return [writable](const std::string& folder) { return folder == writable; };
  };
  EXPECT_EQ(ChooseResultsFolder("/opt/tavri", "/home/a/.local/share/tavri", only("/opt/tavri")),
            "/opt/tavri");
  EXPECT_EQ(ChooseResultsFolder("/opt/tavri", "/home/a/.local/share/tavri", only("")),
            "/home/a/.local/share/tavri");
  EXPECT_EQ(ChooseResultsFolder("/opt/tavri", "", only("")), "/opt/tavri");
}

TEST(ResultsFolder, AnInstalledCopyKeepsItsListInTheDataFolder) {
  auto anywhere = [](const std::string&) { return true; };  // as root
  EXPECT_EQ(ChooseResultsFolder("/usr/bin", "/home/a/.local/share/tavri", anywhere),
            "/home/a/.local/share/tavri");
  EXPECT_EQ(ChooseResultsFolder("/usr/local/bin", "/root/.local/share/tavri", anywhere),
            "/root/.local/share/tavri");
  EXPECT_EQ(ChooseResultsFolder("/usrfoo/tavri", "/home/a/.local/share/tavri", anywhere),
            "/usrfoo/tavri");
}

TEST(ResultsFolder, PathJoinsWithOneSeparator) {
#ifdef _WIN32
  EXPECT_EQ(JoinPath("C:\\", "tavri.rnk"), "C:\\tavri.rnk");
  EXPECT_EQ(JoinPath("C:/", "tavri.rnk"), "C:/tavri.rnk");
  EXPECT_EQ(JoinPath("C:\\Games\\tavri", "tavri.rnk"), "C:\\Games\\tavri\\tavri.rnk");
#else
  EXPECT_EQ(JoinPath("/", "tavri.rnk"), "/tavri.rnk");
  EXPECT_EQ(JoinPath("/opt/tavri", "tavri.rnk"), "/opt/tavri/tavri.rnk");
#endif
}

TEST(OpenResultsFile, MissingFileIsCreatedEmpty) {
  FakeFileSystem files;
  std::string bytes = "left over";
  EXPECT_EQ(OpenResultsFile(files, "r", bytes), ReadStatus::Missing);
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(files.files.at("r"), "");
}

TEST(StoreLeadingRecords, KeepsEveryByteAfterTheRecords) {
  FakeFileSystem files;
  files.files["r"] = Numbered(1000);
  std::string records(900, 'x');
  ASSERT_TRUE(StoreLeadingRecords(files, "r", records));
  EXPECT_EQ(files.files.at("r"), records + Numbered(1000).substr(900));
  EXPECT_EQ(files.files.count("r.tmp"), 0u);

  files.files["short"] = "abc";
  ASSERT_TRUE(StoreLeadingRecords(files, "short", records));
  EXPECT_EQ(files.files.at("short"), records);
}

TEST(StoreLeadingRecords, AFailedSaveLeavesTheOldFile) {
  const std::string old = Numbered(900);
  {
    FakeFileSystem files;  // the disk fills up half way through
    files.files["r"] = old;
    files.writeFailsAfter = 400;
    EXPECT_FALSE(StoreLeadingRecords(files, "r", std::string(900, 'x')));
    EXPECT_EQ(files.files.at("r"), old);
    EXPECT_EQ(files.files.count("r.tmp"), 0u);
  }
  {
    FakeFileSystem files;  // the old file cannot be replaced
    files.files["r"] = old;
    files.renameFails = true;
    EXPECT_FALSE(StoreLeadingRecords(files, "r", std::string(900, 'x')));
    EXPECT_EQ(files.files.at("r"), old);
    EXPECT_EQ(files.files.count("r.tmp"), 0u);
  }
  {
    FakeFileSystem files;  // what follows the records cannot be read, so it is not replaced
    files.files["r"] = old;
    files.unreadable.insert("r");
    EXPECT_FALSE(StoreLeadingRecords(files, "r", std::string(240, 'x')));
    EXPECT_EQ(files.writes, 0);
    EXPECT_EQ(files.files.at("r"), old);
  }
}

// The same on the real disk of the platform the tests run on.
TEST(SystemFileSystem, SavesReadsAndCreates) {
  TempFolder folder;
  SystemFileSystem files;
  const std::string path = folder / "tavri.rnk";
  std::string bytes;
  EXPECT_EQ(OpenResultsFile(files, path, bytes), ReadStatus::Missing);
  ASSERT_TRUE(std::filesystem::exists(folder.path() / "tavri.rnk"));
  EXPECT_EQ(std::filesystem::file_size(folder.path() / "tavri.rnk"), 0u);

  WriteBytes(path, Numbered(1000));
  ASSERT_TRUE(StoreLeadingRecords(files, path, std::string(900, 'x')));
  EXPECT_EQ(ReadBytes(path), std::string(900, 'x') + Numbered(1000).substr(900));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "tavri.rnk.tmp"));
  EXPECT_EQ(OpenResultsFile(files, path, bytes), ReadStatus::Ok);
  EXPECT_EQ(bytes.size(), 1000u);
}

TEST(SystemFileSystem, AFolderWhereTheFileShouldBeIsNeverReplaced) {
  TempFolder folder;
  SystemFileSystem files;
  const std::string path = folder / "tavri.rnk";
  std::filesystem::create_directories(folder.path() / "tavri.rnk" / "inside");
  std::string bytes;
  EXPECT_EQ(OpenResultsFile(files, path, bytes), ReadStatus::Failed);
  EXPECT_FALSE(StoreLeadingRecords(files, path, std::string(900, 'x')));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "tavri.rnk" / "inside"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "tavri.rnk.tmp"));
}

TEST(SystemFileSystem, AFailedWriteOfTheNewFileKeepsTheOldOne) {
  TempFolder folder;
  SystemFileSystem files;
  const std::string path = folder / "tavri.rnk";
  WriteBytes(path, Numbered(900));
  // A folder in the place of the new file: the write fails even for root.
  std::filesystem::create_directories(folder.path() / "tavri.rnk.tmp" / "inside");
  EXPECT_FALSE(StoreLeadingRecords(files, path, std::string(900, 'x')));
  EXPECT_EQ(ReadBytes(path), Numbered(900));
}

TEST(SystemFileSystem, ProbesWhetherAFolderTakesFiles) {
  TempFolder folder;
  SystemFileSystem files;
  EXPECT_TRUE(files.CanCreateFilesIn(folder / ""));
  EXPECT_FALSE(files.CanCreateFilesIn(folder / "no such folder"));
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace tavri
