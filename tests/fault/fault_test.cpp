// The results file on a real disk under real faults. Each fault runs in a
// child process: a kill must hit a real process, a file-size limit and a
// changed user must not outlive the case.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

#include "fault/lists.h"
#include "results/core/file_system.h"
#include "results/core/form3.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

const std::string kSaveFailed = "成績を保存できませんでした。";

class NoHost : public Form3Host {
 public:
  void UnloadForm3() override {}
};

// A finished game with score 42 whose player types "NEW" and presses
// Enter, on the real disk. True when the player was told the save failed.
bool SaveANameAndSayWhetherTold(const std::string& path) {
  Module1 module;
  module.totalScore = 42;
  test::FakePlatform platform;
  NoHost host;
  SystemFileSystem disk;
  Form3 form(module, platform, host, disk, path);
  form.Form_Load();
  if (!form.Text1.Visible) return false;
  form.Text1.Text = "NEW";
  form.Text1_KeyPress(13);
  for (const MessageBoxSpec& box : platform.boxes)
    if (box.text == kSaveFailed) return true;
  return false;
}

// Runs `body` in a child process; its exit status is the result.
int InChild(const std::function<int()>& body) {
  pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(RealFaults, KilledInTheMiddleOfSavesTheFileIsAlwaysTheOldListOrTheNew) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string listA = test::SavedList('A') + test::Tail();
  const std::string listB = test::SavedList('B') + test::Tail();
  test::WriteBytes(path, listA);

  int midSave = 0;
  constexpr int kKills = 200;
  for (int kill = 0; kill < kKills; ++kill) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    pid_t child = fork();
    if (child == 0) {
      dup2(output[1], STDOUT_FILENO);
      close(output[0]);
      close(output[1]);
      execl(SAVE_LOOP, SAVE_LOOP, path.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(output[1]);
    // Let it finish a few saves (0 to 4), then kill it: at once, so that it
    // is somewhere in its next save, or (every other time) as soon as the
    // new list's file has appeared, so that the kill lands while the new
    // list is being written, flushed or renamed.
    char note;
    for (int saves = 0; saves < kill % 5; ++saves) ASSERT_EQ(read(output[0], &note, 1), 1);
    if (kill % 2 == 1) {
      struct stat info;
      for (int look = 0; look < 1000000 && stat((path + ".tmp").c_str(), &info) != 0; ++look) {
      }
    }
    ::kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(output[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save loop stopped by itself";

    const std::string after = test::ReadBytes(path);
    ASSERT_TRUE(after == listA || after == listB) << "kill " << kill << ": " << after.size()
                                                  << " bytes that are neither list";
    if (std::filesystem::exists(path + ".tmp")) ++midSave;
  }
  // Evidence that the kills did land inside saves, not only between them.
  EXPECT_GT(midSave, 0);
  std::printf("%d of %d kills came while the new list was not yet in place\n", midSave, kKills);

  // The next run of the program reads one of the lists and saves over the
  // leftover without trouble.
  EXPECT_FALSE(SaveANameAndSayWhetherTold(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(RealFaults, ADiskThatFillsUpPartWayKeepsTheOldListAndIsTold) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string before = test::SavedList('A') + test::Tail();
  // From each of these sizes on, a file cannot grow: the new list's writes
  // fail part-way (EFBIG, as good as ENOSPC for the program).
  for (rlim_t room : {rlim_t{0}, rlim_t{1}, rlim_t{11}, rlim_t{12}, rlim_t{500}, rlim_t{899},
                      rlim_t{900}, rlim_t{1000}}) {
    test::WriteBytes(path, before);
    int result = InChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      rlimit limit{room, room};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
      return SaveANameAndSayWhetherTold(path) ? 0 : 1;
    });
    EXPECT_EQ(result, 0) << "room for " << room << " bytes: the failed save was not told";
    EXPECT_EQ(test::ReadBytes(path), before) << "room for " << room << " bytes";
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp")) << "room for " << room << " bytes";
  }
  // With room enough, the same save works.
  EXPECT_FALSE(SaveANameAndSayWhetherTold(path));
  EXPECT_NE(test::ReadBytes(path), before);
}

TEST(RealFaults, AFolderThePlayerMayNotWriteKeepsTheOldListAndIsTold) {
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string before = test::SavedList('A');
  test::WriteBytes(path, before);
  using std::filesystem::perms;
  std::filesystem::permissions(folder.path(), perms::owner_read | perms::owner_exec |
                                                  perms::group_read | perms::group_exec |
                                                  perms::others_read | perms::others_exec);
  // Permission bits do not stop root, so the child turns into an ordinary
  // user first; the folder stays root's and read-only for it.
  int result = InChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
    if (access(folder.path().c_str(), W_OK) == 0) return 4;
    return SaveANameAndSayWhetherTold(path) ? 0 : 1;
  });
  std::filesystem::permissions(folder.path(), perms::owner_all);
  ASSERT_NE(result, 3) << "could not become an ordinary user";
  ASSERT_NE(result, 4) << "the folder is writable after all";
  EXPECT_EQ(result, 0) << "the failed save was not told";
  EXPECT_EQ(test::ReadBytes(path), before);
}

}  // namespace
}  // namespace tavri
