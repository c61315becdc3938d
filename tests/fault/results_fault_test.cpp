// The results file on a real disk under real faults: the program killed at
// every step of a save, a disk that fills up, a folder it may not write.
// Each fault runs in a child process: a kill must hit a real process, a
// file-size limit and a changed user must not outlive the case.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fault/child_process.h"
#include "fault/stepped_save.h"
#include "results/core/results_store.h"
#include "support/record_bytes.h"
#include "support/stepping_file_system.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::InChild;
using test::SteppedSave;

// A list with bytes after its 75 records that every save must keep.
std::string SavedList() {
  return test::FullList() + test::BlankRecords(70) + std::string(100, '\x7F') +
         "end of a longer file";
}

StoreResult Save(const std::string& path) {
  SystemFileSystem disk;
  return ResultsStore(disk, path).SaveEntry(XRange::MinusTwoToTwo, 42, U"NEW");
}

TEST(RealFaults, KilledBeforeAnyStepOfASaveTheFileIsTheOldListOrTheNew) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string before = SavedList();

  // The steps of a whole save, and the file it leaves.
  test::WriteBytes(path, before);
  std::vector<std::string> steps;
  {
    SteppedSave save(path);
    for (std::string step = save.NextStep(); !step.empty(); step = save.NextStep()) {
      steps.push_back(step);
      save.Go();
    }
    ASSERT_EQ(save.Finish(), 0);
  }
  ASSERT_EQ(steps, (std::vector<std::string>{"open", "lock", "list", "read", "create", "write",
                                             "flush", "close", "rename", "flushfolder", "unlock"}));
  const std::string after = test::ReadBytes(path);
  ASSERT_NE(after, before);
  const std::size_t created = 4, renamed = 8;

  for (std::size_t killAt = 0; killAt < steps.size(); ++killAt) {
    SCOPED_TRACE("killed before " + steps[killAt]);
    test::WriteBytes(path, before);
    {
      SteppedSave save(path);
      for (std::size_t step = 0; step < killAt; ++step) {
        ASSERT_EQ(save.NextStep(), steps[step]);
        save.Go();
      }
      ASSERT_EQ(save.NextStep(), steps[killAt]);
      ASSERT_EQ(save.Kill(), 128 + SIGKILL);
    }
    EXPECT_EQ(test::ReadBytes(path), killAt <= renamed ? before : after);
    // Killed between making its new file and the rename, it leaves that
    // file behind; the next save, which gets the lock the dead one held,
    // removes it and works.
    EXPECT_EQ(folder.Leftovers().size(), killAt > created && killAt <= renamed ? 1u : 0u);
    EXPECT_TRUE(Save(path));
    EXPECT_TRUE(folder.Leftovers().empty());
    SystemFileSystem disk;
    EXPECT_TRUE(ResultsStore(disk, path).Load().readable);
  }
}

TEST(RealFaults, ADiskThatFillsUpPartWayKeepsTheOldListAndSaysSo) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string before = SavedList();
  // From each of these sizes on, a file cannot grow: the new list's writes
  // fail part-way (EFBIG, as good as ENOSPC for the program).
  for (rlim_t room : {rlim_t{0}, rlim_t{1}, rlim_t{11}, rlim_t{12}, rlim_t{500}, rlim_t{899},
                      rlim_t{900}, rlim_t{1000}}) {
    test::WriteBytes(path, before);
    int result = InChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      rlimit limit{room, room};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
      return Save(path) ? 1 : 0;
    });
    EXPECT_EQ(result, 0) << "room for " << room << " bytes: the failed save was not told";
    EXPECT_EQ(test::ReadBytes(path), before) << "room for " << room << " bytes";
    EXPECT_TRUE(folder.Leftovers().empty()) << "room for " << room << " bytes";
  }
  // With room enough, the same save works.
  EXPECT_TRUE(Save(path));
  EXPECT_NE(test::ReadBytes(path), before);
}

TEST(RealFaults, AFolderThePlayerMayNotWriteKeepsTheOldListAndSaysSo) {
  for (bool lockFileThere : {false, true}) {
    SCOPED_TRACE(lockFileThere ? "with a lock file" : "without a lock file");
    test::TempFolder folder;
    const std::string path = folder / "tavri.rnk";
    const std::string before = SavedList();
    test::WriteBytes(path, before);
    if (lockFileThere) test::WriteBytes(path + ".lock", "");
    chmod(path.c_str(), 0644);
    using std::filesystem::perms;
    std::filesystem::permissions(folder.path(), perms::owner_read | perms::owner_exec |
                                                    perms::group_read | perms::group_exec |
                                                    perms::others_read | perms::others_exec);
    // Permission bits do not stop root, so the child turns into an ordinary
    // user first; the folder stays root's and read-only for it.
    int result = InChild([&] {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
      if (access(folder.path().c_str(), W_OK) == 0) return 4;
      SystemFileSystem disk;
      if (!ResultsStore(disk, path).Load().readable) return 5;
      return Save(path) ? 1 : 0;
    });
    std::filesystem::permissions(folder.path(), perms::owner_all);
    ASSERT_NE(result, 3) << "could not become an ordinary user";
    ASSERT_NE(result, 4) << "the folder is writable after all";
    EXPECT_EQ(result, 0) << "the failed save was not told";
    EXPECT_EQ(test::ReadBytes(path), before);
  }
}

}  // namespace
}  // namespace tavri
