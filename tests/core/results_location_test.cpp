// Where the results file lives: the administrator's setting, else beside the
// program, else the user's data folder; and how the setting is read.
#include "results/core/results_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "results/core/results_store.h"
#include "support/fake_file_system.h"
#include "support/results_printing.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::FakeFileSystem;

// --- The folder rule without a setting ----------------------------------------

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
  EXPECT_TRUE(IsSystemProgramFolder("/usr"));
  EXPECT_FALSE(IsSystemProgramFolder("/usrx"));
}

TEST(ResultsFolder, PathsJoinAndSplitWithOneSeparator) {
#ifdef _WIN32
  EXPECT_EQ(JoinPath("C:\\", "tavri.rnk"), "C:\\tavri.rnk");
  EXPECT_EQ(JoinPath("C:/", "tavri.rnk"), "C:/tavri.rnk");
  EXPECT_EQ(JoinPath("C:\\Games\\tavri", "tavri.rnk"), "C:\\Games\\tavri\\tavri.rnk");
  EXPECT_EQ(FolderOf("C:\\Games\\tavri\\tavri.rnk"), "C:\\Games\\tavri");
  EXPECT_EQ(FolderOf("C:\\tavri.rnk"), "C:\\");
  EXPECT_EQ(FolderOf("C:/x/tavri.rnk"), "C:/x");
  EXPECT_EQ(FolderOf("\\\\server\\class\\tavri.rnk"), "\\\\server\\class");
  EXPECT_EQ(FileNameOf("C:\\Games\\tavri.rnk"), "tavri.rnk");
  EXPECT_EQ(FileNameOf("C:tavri.rnk"), "tavri.rnk");
  EXPECT_TRUE(IsAbsolutePath("C:\\Users\\Public\\tavri"));
  EXPECT_TRUE(IsAbsolutePath("d:/class"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\class"));
  EXPECT_FALSE(IsAbsolutePath("C:class"));
  EXPECT_FALSE(IsAbsolutePath("class\\tavri"));
  EXPECT_FALSE(IsAbsolutePath("\\class"));
#else
  EXPECT_EQ(JoinPath("/", "tavri.rnk"), "/tavri.rnk");
  EXPECT_EQ(JoinPath("/opt/tavri", "tavri.rnk"), "/opt/tavri/tavri.rnk");
  EXPECT_EQ(JoinPath("/opt/tavri/", "tavri.rnk"), "/opt/tavri/tavri.rnk");
  EXPECT_EQ(FolderOf("/opt/tavri/tavri.rnk"), "/opt/tavri");
  EXPECT_EQ(FolderOf("/tavri.rnk"), "/");
  EXPECT_EQ(FolderOf("tavri.rnk"), ".");
  EXPECT_EQ(FolderOf("a//tavri.rnk"), "a");
  EXPECT_EQ(FileNameOf("/opt/tavri/tavri.rnk"), "tavri.rnk");
  EXPECT_EQ(FileNameOf("tavri.rnk"), "tavri.rnk");
  EXPECT_TRUE(IsAbsolutePath("/srv/tavri"));
  EXPECT_FALSE(IsAbsolutePath("srv/tavri"));
  EXPECT_FALSE(IsAbsolutePath(""));
#endif
}

// --- The setting ------------------------------------------------------------------

TEST(ResultsFolderSetting, TheFolderLineOfTheResultsSection) {
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/srv/tavri\n"), "/srv/tavri");
  EXPECT_EQ(ResultsFolderSetting("[results]\r\nfolder=C:\\Users\\Public\\tavri\r\n"),
            "C:\\Users\\Public\\tavri");
  EXPECT_EQ(ResultsFolderSetting("[results]\rfolder=/a\r"), "/a");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/no/line/end"), "/no/line/end");
  EXPECT_EQ(ResultsFolderSetting(""), std::nullopt);
  EXPECT_EQ(ResultsFolderSetting("folder=/srv/tavri\n"), std::nullopt) << "outside the section";
  EXPECT_EQ(ResultsFolderSetting("[other]\nfolder=/srv/tavri\n"), std::nullopt);
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolders=/srv/tavri\n"), std::nullopt);
}

TEST(ResultsFolderSetting, ForgivesWhatEditorsAndPeopleLeave) {
  // A byte-order mark, names in any case, blanks and tabs, comments, other
  // sections before and after, quotes.
  EXPECT_EQ(ResultsFolderSetting("\xEF\xBB\xBF[results]\nfolder=/srv/tavri\n"), "/srv/tavri");
  EXPECT_EQ(ResultsFolderSetting("  [ Results ]  \n\tFOLDER \t=  /srv/tavri  \n"), "/srv/tavri");
  EXPECT_EQ(ResultsFolderSetting("; the class list\n# too\n[window]\nx=1\n[results]\n"
                                 ";folder=/old\nfolder=\"C:\\Class List\\tavri\"\n[next]\n"),
            "C:\\Class List\\tavri");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder='/srv/tavri'\n"), "/srv/tavri");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/a=b\n"), "/a=b");
  // The first usable line counts; an empty one is none.
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=\nfolder=/first\nfolder=/second\n"), "/first");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=  \n"), std::nullopt);
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=\"\"\n"), std::nullopt);
  // A section line without its bracket names no section.
  EXPECT_EQ(ResultsFolderSetting("[results]\n[other\nfolder=/srv/tavri\n"), "/srv/tavri");
  // Junk.
  EXPECT_EQ(ResultsFolderSetting(std::string("\0\xFF\x01[results\n=\n\n", 13)), std::nullopt);
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/a\x01z\nfolder=/b\n"), "/b");
}

TEST(ResultsFolderSetting, AfterTheFolderComesNothingButBlanksAndAComment) {
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/srv/tavri ; the class list\n"), "/srv/tavri");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/srv/tavri\t# 2-A\n"), "/srv/tavri");
  // Without a blank before it, ";" or "#" is part of the name.
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/srv/class#2;a\n"), "/srv/class#2;a");
  // A name that holds " ;" is quoted; after the quote, a comment or nothing.
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=\"C:\\A ;B\" ; note\n"), "C:\\A ;B");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=\"/srv/a\" /srv/b\nfolder=/c\n"), "/c");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=\"/srv/a\nfolder=/c\n"), "/c");
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder= ; none yet\n"), std::nullopt);
}

TEST(ResultsFolderSetting, ReadsUtf8Utf16AndCodePage932) {
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/srv/成績\n"), "/srv/成績");
  // Notepad's "Unicode": UTF-16 little-endian with its mark.
  const std::u16string text = u"[results]\r\nfolder=C:\\成績\r\n";
  std::string le = "\xFF\xFE", be = "\xFE\xFF";
  for (char16_t c : text) {
    le += static_cast<char>(c & 0xFF);
    le += static_cast<char>(c >> 8);
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  EXPECT_EQ(ResultsFolderSetting(le), "C:\\成績");
  EXPECT_EQ(ResultsFolderSetting(be), "C:\\成績");
  // Notepad's "ANSI" on a Japanese Windows: "成績" is 90 AC 90 D1.
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=C:\\\x90\xAC\x90\xD1\n"), "C:\\成績");
  // Neither: no setting.
  EXPECT_EQ(ResultsFolderSetting("[results]\nfolder=/a\xFF\xFF\n"), std::nullopt);
}

TEST(ResultsLocation, TheSettingsFileIsBesideTheProgramOnWindowsAndInEtcElsewhere) {
#ifdef _WIN32
  EXPECT_EQ(SettingsPath("C:\\Program Files\\tavri"), "C:\\Program Files\\tavri\\tavri.ini");
#else
  EXPECT_EQ(SettingsPath("/opt/tavri"), "/etc/tavri.conf");
#endif
}

#ifdef _WIN32
const std::string kProgram = "C:\\Program Files\\tavri";
const std::string kData = "C:\\Users\\a\\AppData\\Roaming\\tavri";
const std::string kClass = "C:\\Users\\Public\\Documents\\tavri";
const std::string kSettings = "C:\\Program Files\\tavri\\tavri.ini";
#else
const std::string kProgram = "/opt/tavri";
const std::string kData = "/home/a/.local/share/tavri";
const std::string kClass = "/srv/tavri";
const std::string kSettings = "/etc/tavri.conf";
#endif

TEST(ResultsLocation, AFolderNamedInTheSettingsWins) {
  FakeFileSystem disk;
  disk.Put(kSettings, "[results]\nfolder=" + kClass + "\n");
  disk.writableFolders = {kProgram, kData};  // not even the class folder
  ResultsLocation where = LocateResults(disk, kSettings, kProgram, kData);
  EXPECT_EQ(where.place, ResultsPlace::Setting);
  EXPECT_EQ(where.folder, kClass);
  EXPECT_EQ(where.path, JoinPath(kClass, "tavri.rnk"));
}

TEST(ResultsLocation, WithoutAUsableSettingTheFolderRuleStands) {
  for (const std::string& settings :
       {std::string("[results]\nfolder=relative/folder\n"), std::string("[results]\n"),
        std::string("garbage"), std::string()}) {
    FakeFileSystem disk;
    if (!settings.empty()) disk.Put(kSettings, settings);
    disk.writableFolders = {kProgram, kData};
    ResultsLocation where = LocateResults(disk, kSettings, kProgram, kData);
    EXPECT_EQ(where.place, ResultsPlace::ProgramFolder);
    EXPECT_EQ(where.path, JoinPath(kProgram, "tavri.rnk"));

    disk.writableFolders = {kData};
    where = LocateResults(disk, kSettings, kProgram, kData);
    EXPECT_EQ(where.place, ResultsPlace::DataFolder);
    EXPECT_EQ(where.folder, kData);
  }
  // No settings file to look at at all.
  FakeFileSystem disk;
  EXPECT_EQ(LocateResults(disk, "", kProgram, kData).place, ResultsPlace::DataFolder);
}

// It may name the class's folder: each user's own list instead would split
// the class's list without a word.
TEST(ResultsLocation, ASettingsFileThatCannotBeReadIsANamedFolderThatCannotBeUsed) {
  const std::string setting = "[results]\nfolder=" + kClass + "\n";
  std::string utf16;  // Notepad's "Unicode" without its mark
  for (char c : setting) utf16 += std::string{c, '\0'};
  struct Case {
    const char* what;
    std::function<void(FakeFileSystem&)> put;
  };
  const Case cases[] = {
      {"unreadable",
       [&](FakeFileSystem& d) {
         d.Put(kSettings, setting, 0600);
         d.At(kSettings)->unreadable = true;
       }},
      {"over 64 KiB",
       [&](FakeFileSystem& d) { d.Put(kSettings, setting + std::string(kMaxSettingsSize, ';')); }},
      {"UTF-16 without its mark", [&](FakeFileSystem& d) { d.Put(kSettings, utf16); }},
      {"no text",
       [&](FakeFileSystem& d) {
         d.Put(kSettings, setting +
                              "\x7F"
                              "ELF\x02\x01\x01");
       }},
      {"a pipe", [](FakeFileSystem& d) { d.PutPipe(kSettings); }},
      {"a folder", [](FakeFileSystem& d) { d.PutFolder(kSettings); }},
      {"a link to a device",
       [](FakeFileSystem& d) {
         d.PutDevice("/dev/zero");
         d.PutLink(kSettings, "/dev/zero");
       }},
      {"held for good", [](FakeFileSystem& d) { d.busyReads[kSettings] = 1000000; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileSystem disk;
    disk.writableFolders = {kProgram, kData};
    c.put(disk);
    const ResultsLocation where = LocateResults(disk, kSettings, kProgram, kData);
    EXPECT_EQ(where.place, ResultsPlace::Setting);
    EXPECT_EQ(where.path, "");
    ResultsStore store(disk, where.path);
    EXPECT_FALSE(store.Load().readable);
    EXPECT_EQ(store.SaveEntry(XRange::MinusTwoToTwo, 30, U"X"), Stored::No);
  }
}

TEST(ResultsLocation, ASettingsFileThatIsALinkIsFollowed) {
  // A managed system may keep its settings as links; they are the
  // administrator's.
  FakeFileSystem disk;
  disk.Put("/etc/static/tavri.conf", "[results]\nfolder=" + kClass + "\n");
  disk.PutLink(kSettings, "/etc/static/tavri.conf");
  EXPECT_EQ(LocateResults(disk, kSettings, kProgram, kData).folder, kClass);
}

TEST(ResultsLocation, OnTheRealDiskAnInjectedSettingsFileIsRead) {
  test::TempFolder folder;
  SystemFileSystem disk;
  const std::string settings = folder / "tavri.conf";
  const std::string classFolder = folder / "class";
  test::WriteBytes(settings, "\xEF\xBB\xBF[results]\r\nfolder=" + classFolder + "\r\n");
  ResultsLocation where = LocateResults(disk, settings, folder / "program", folder / "data");
  EXPECT_EQ(where.place, ResultsPlace::Setting);
  EXPECT_EQ(where.path, JoinPath(classFolder, "tavri.rnk"));

  std::filesystem::remove(settings);
  where = LocateResults(disk, settings, folder / "", folder / "data");
  EXPECT_EQ(where.place, ResultsPlace::ProgramFolder);
}

}  // namespace
}  // namespace tavri
