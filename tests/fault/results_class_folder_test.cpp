// What one student can do to another's saves in the README's class folder
// (mode 2770, the class's group, set up by root), played with real users
// when the tests run as root: read a new list before it has its mode, take
// the lock away, hold the list under a lease, hide the settings file, put a
// link above the folder, plant names like a save's own. None of it loses or
// leaks an entry, and the player is told what is true.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fault/child_process.h"
#include "fault/stepped_save.h"
#include "results/core/results_board.h"
#include "results/core/results_location.h"
#include "results/core/results_store.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"
#include "support/stepping_file_system.h"
#include "support/temp_folder.h"

namespace {

// Run just before the core gives a file its mode (the core calls fchmod by
// name, and the test program's own definition comes first).
std::function<void(int)> gBeforeMode;

}  // namespace

extern "C" int fchmod(int fd, mode_t mode) noexcept {
  static auto real = reinterpret_cast<int (*)(int, mode_t)>(dlsym(RTLD_NEXT, "fchmod"));
  if (gBeforeMode) gBeforeMode(fd);
  return real(fd, mode);
}

namespace tavri {
namespace {

using test::Accomplice;
using test::AsUser;
using test::IsRoot;
using test::RecordBytes;
using test::TempFolder;

constexpr uid_t kTeacher = 52010, kAlice = 52011, kBob = 52012, kMallory = 52013;
constexpr gid_t kClass = 52110;

std::string PathOf(int fd) {
  char link[64], target[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

// The README's set-up: root's folder of the class's group, 2770, and an
// empty list of mode 0664 in it; beside it a private folder of Alice's.
struct ClassFolder {
  TempFolder root;
  std::string folder = root / "class";
  std::string path = folder + "/tavri.rnk";
  std::string home = root / "alice";

  ClassFolder() {
    chmod(root.path().c_str(), 0755);
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(home);
    test::WriteBytes(path, "");
    EXPECT_EQ(chown(folder.c_str(), 0, kClass), 0);
    EXPECT_EQ(chown(path.c_str(), 0, kClass), 0);
    EXPECT_EQ(chown(home.c_str(), kAlice, kAlice), 0);
    chmod(folder.c_str(), 02770);
    chmod(path.c_str(), 0664);
    chmod(home.c_str(), 0700);
  }
  static std::vector<gid_t> Groups(uid_t student) { return {student, kClass}; }
  // Runs `body` in a process of its own as the student.
  static int As(uid_t student, const std::function<int()>& body) {
    return AsUser(student, Groups(student), 022, body);
  }
  std::u32string NameAt(std::size_t place) {
    SystemFileSystem disk;
    return ResultsStore(disk, path).Load().lists[0][place].name;
  }
};

std::u32string Padded(std::u32string name) {
  name.resize(10, U' ');
  return name;
}

class ClassFolderStudents : public testing::Test {
 protected:
  void SetUp() override {
    if (!IsRoot()) GTEST_SKIP() << "needs other users";
  }
  ClassFolder scene;
};

TEST_F(ClassFolderStudents, NobodyElseCanOpenANewListBeforeItHasItsMode) {
  // Alice's list is hers alone (her first save, under umask 077), and holds
  // bytes of hers past the lists. Mallory, of the class, opens every new
  // file of a save the moment it is made and reads through it what follows.
  const std::string secret = "ALICE'S NOTE";
  test::WriteBytes(scene.path, test::FullList() + test::BlankRecords(70) + secret);
  ASSERT_EQ(chown(scene.path.c_str(), kAlice, kClass), 0);
  chmod(scene.path.c_str(), 0600);
  std::vector<int> opened;
  Accomplice mallory(kMallory, ClassFolder::Groups(kMallory), [&](const std::string& request) {
    if (request.starts_with("open ")) {
      int fd = open(request.substr(5).c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) return 0;
      opened.push_back(fd);
      return 1;
    }
    std::string seen;
    for (int fd : opened) seen += test::ReadBytes("/proc/self/fd/" + std::to_string(fd));
    return seen.find(secret) != std::string::npos ? 1 : 0;
  });
  const int openedByMallory = ClassFolder::As(kAlice, [&] {
    int count = 0;
    gBeforeMode = [&](int fd) {
      if (std::filesystem::path(PathOf(fd)).filename().string().starts_with("tavri.rnk.tmp-"))
        count += mallory.Ask("open " + PathOf(fd));
    };
    SystemFileSystem disk;
    if (!ResultsStore(disk, scene.path).SaveEntry(XRange::MinusTwoToTwo, 45, U"ALICE")) return 99;
    return count;
  });
  EXPECT_EQ(openedByMallory, 0) << "the new list could be opened by another student";
  EXPECT_EQ(mallory.Ask("read"), 0) << "Alice's bytes were read";
  EXPECT_EQ(scene.NameAt(1), Padded(U"ALICE"));
  struct stat info;
  ASSERT_EQ(stat(scene.path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(ClassFolderStudents, AStudentWhoRemovesTheLockLetsNoSecondSaveIn) {
  // Alice's save is held at a step while Mallory removes the lock file the
  // first versions used, and Bob saves. Whatever a save reports as stored
  // must be in the list.
  for (const char* held : {"create", "rename"}) {
    SCOPED_TRACE(std::string("Alice held before ") + held);
    test::WriteBytes(scene.path, test::FullList());
    test::SteppedSave alice(scene.path, 45, U"ALICE", [] {
      return test::BecomeUser(kAlice, kAlice, ClassFolder::Groups(kAlice), 022);
    });
    ASSERT_TRUE(alice.GoUntil(held));
    ClassFolder::As(kMallory, [&] { return unlink((scene.path + ".lock").c_str()); });
    // Bob waits as long as a save waits (played: the test does not).
    const int bob = ClassFolder::As(kBob, [&] {
      SystemFileSystem disk;
      test::SteppingFileSystem waiting(disk, [](const std::string&, const std::string&) {});
      waiting.playClock = true;
      return ResultsStore(waiting, scene.path).SaveEntry(XRange::MinusTwoToTwo, 44, U"BOB") ? 0 : 1;
    });
    EXPECT_EQ(alice.GoToEnd(), 0) << "Alice, who held the lock, was told her save failed";
    EXPECT_EQ(scene.NameAt(1), Padded(U"ALICE"));
    if (bob == 0) {
      EXPECT_EQ(scene.NameAt(2), Padded(U"BOB")) << "Bob was told it was stored";
    }
  }
}

TEST_F(ClassFolderStudents, AListThatCannotBeReadIsSaidSoAtOnceAndOffersNoPlace) {
  struct Case {
    const char* what;
    std::function<void()> make;
  };
  Accomplice alice(kAlice, ClassFolder::Groups(kAlice), [&](const std::string&) {
    // A lease on her own list: every other open of it is refused while she
    // holds it.
    signal(SIGIO, SIG_IGN);
    int fd = open(scene.path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd >= 0 && fcntl(fd, F_SETLEASE, F_WRLCK) == 0 ? 0 : 1;
  });
  const Case cases[] = {
      {"under Alice's lease",
       [&] {
         ASSERT_EQ(chown(scene.path.c_str(), kAlice, kClass), 0);
         ASSERT_EQ(alice.Ask("lease"), 0);
       }},
      {"Alice's alone (0600)",
       [&] {
         ASSERT_EQ(ClassFolder::As(kAlice,
                                   [&] {
                                     umask(077);
                                     unlink(scene.path.c_str());
                                     SystemFileSystem disk;
                                     return ResultsStore(disk, scene.path).Load().readable ? 0 : 1;
                                   }),
                   0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    EXPECT_EQ(
        ClassFolder::As(
            kBob,
            [&] {
              // The clock is played: the test never waits.
              SystemFileSystem disk;
              test::SteppingFileSystem played(disk, [](const std::string&, const std::string&) {});
              played.playClock = true;
              ResultsStore store(played, scene.path);
              SessionState session;
              ResultsBoard board(session, store, 30);
              if (played.playedNow - FileSystem::Clock::time_point{} > std::chrono::seconds(1))
                return 1;
              if (board.readable() || board.newPlace()) return 2;
              const std::vector<WindowOutput> told = board.TakeOutput();
              const auto* box = told.size() == 1 ? std::get_if<ShowMessage>(
                                                       &std::get<Command>(told[0]))
                                                 : nullptr;
              if (!box || box->message.kind != MessageKind::ListUnreadable) return 3;
              return 0;
            }),
        0)
        << "1: kept waiting, 2: a place offered, 3: not told";
  }
}

TEST_F(ClassFolderStudents, ASettingsFileAStudentCannotReadDoesNotSplitTheClassList) {
  const std::string settings = scene.root / "tavri.conf";
  test::WriteBytes(settings, "[results]\nfolder=" + scene.folder + "\n");
  chmod(settings.c_str(), 0600);
  EXPECT_EQ(ClassFolder::As(kBob,
                            [&] {
                              SystemFileSystem disk;
                              const ResultsLocation where = LocateResults(
                                  disk, settings, scene.root / "program", scene.root / "bob");
                              if (where.place != ResultsPlace::Setting) return 1;
                              return ResultsStore(disk, where.path).Load().readable ? 2 : 0;
                            }),
            0)
      << "1: Bob's own list instead, 2: shown as readable";
}

TEST_F(ClassFolderStudents, AFolderSomeoneElseCouldReplaceOnTheWayIsNotUsed) {
  // Alice's private folder, with a file named as a save names its new ones.
  const std::string planted = scene.home + "/tavri.rnk.tmp-0123456789abcdef";
  test::WriteBytes(planted, "Alice's");
  ASSERT_EQ(chown(planted.c_str(), kAlice, kAlice), 0);
  const std::string sticky = scene.root / "pub", open = scene.root / "open";
  std::filesystem::create_directory(sticky);
  std::filesystem::create_directory(open);
  chmod(sticky.c_str(), 01777);
  chmod(open.c_str(), 0777);
  std::filesystem::create_directory(open + "/class");
  std::filesystem::create_directory(sticky + "/teacher");
  ASSERT_EQ(chown((sticky + "/teacher").c_str(), kTeacher, kClass), 0);
  chmod((sticky + "/teacher").c_str(), 02770);
  // Root's own link to the class folder, in root's folder.
  const std::string adminLink = scene.root / "link";
  ASSERT_EQ(symlink(scene.folder.c_str(), adminLink.c_str()), 0);
  // Mallory's link where a class folder was named but not yet made.
  ASSERT_EQ(ClassFolder::As(
                kMallory, [&] { return symlink(scene.home.c_str(), (sticky + "/class").c_str()); }),
            0);
  struct Case {
    std::string folder;
    bool used;
  };
  const Case cases[] = {{sticky + "/class", false},
                        {open + "/class", false},
                        {adminLink, true},
                        {sticky + "/teacher", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EQ(ClassFolder::As(
                  kAlice,
                  [&] {
                    SystemFileSystem disk;
                    ResultsStore store(disk, c.folder + "/tavri.rnk");
                    const bool readable = store.Load().readable;
                    const bool saved =
                        static_cast<bool>(store.SaveEntry(XRange::MinusTwoToTwo, 45, U"ALICE"));
                    const bool cleared = static_cast<bool>(store.ClearLists());
                    return readable == c.used && saved == c.used && cleared == c.used ? 0 : 1;
                  }),
              0);
  }
  // Nothing was made, written or removed in Alice's folder.
  EXPECT_EQ(test::ReadBytes(planted), "Alice's");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(scene.home))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"tavri.rnk.tmp-0123456789abcdef"});
}

TEST_F(ClassFolderStudents, OnlyLeftoversOfKilledSavesAreRemoved) {
  const std::string notes = scene.path + ".tmp-notes.txt";
  const std::string pipe = scene.path + ".tmp-1111111111111111";
  const std::string link = scene.path + ".tmp-2222222222222222";
  const std::string leftover = scene.path + ".tmp-fedcba9876543210";
  ASSERT_EQ(ClassFolder::As(kMallory,
                            [&] {
                              test::WriteBytes(notes, "Mallory's notes");
                              test::WriteBytes(leftover, "half a list");
                              if (mkfifo(pipe.c_str(), 0660) != 0) return 1;
                              return symlink(notes.c_str(), link.c_str());
                            }),
            0);
  ASSERT_EQ(ClassFolder::As(
                kBob,
                [&] {
                  SystemFileSystem disk;
                  return ResultsStore(disk, scene.path).SaveEntry(XRange::MinusTwoToTwo, 45, U"BOB")
                             ? 0
                             : 1;
                }),
            0);
  EXPECT_EQ(test::ReadBytes(notes), "Mallory's notes");
  struct stat info;
  EXPECT_EQ(lstat(pipe.c_str(), &info), 0);
  EXPECT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_NE(lstat(leftover.c_str(), &info), 0) << "the leftover of a killed save stays";
}

}  // namespace
}  // namespace tavri
