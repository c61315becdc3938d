// One results file for a whole class, in a folder every student can write,
// on the real disk with real processes and (when the tests run as root)
// real other users: nothing planted there is followed, read through or
// waited on; saves at the same moment all keep their entries; a reader
// never sees half a list; the file's mode and group are kept.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "fault/child_process.h"
#include "results/core/rank_codec.h"
#include "results/core/results_store.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"
#include "support/stepping_file_system.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::AsUser;
using test::BecomeUser;
using test::BlankRecords;
using test::InChild;
using test::IsRoot;
using test::RecordBytes;
using test::TempFolder;

// Users and the class's group, for the tests that run as root.
constexpr uid_t kVictim = 52001, kAttacker = 52002, kStudentA = 52003, kStudentB = 52004,
                kStudentC = 52005;
constexpr gid_t kClass = 52100;

struct stat Lstat(const std::string& path) {
  struct stat info {};
  lstat(path.c_str(), &info);
  return info;
}

// Whether anything opened, read, wrote or changed the watched file.
class Watch {
 public:
  explicit Watch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, path.c_str(),
                      IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE |
                          IN_CLOSE_NOWRITE | IN_DELETE_SELF | IN_MOVE_SELF);
  }
  ~Watch() { close(fd_); }
  bool Touched() {
    char events[4096];
    return read(fd_, events, sizeof events) > 0;
  }

 private:
  int fd_;
};

// A class folder every student can write (no sticky bit), and a victim's
// home with a private file in it.
struct Scene {
  TempFolder root;
  std::string classFolder = root / "class";
  std::string path = classFolder + "/tavri.rnk";
  std::string home = root / "victim";
  std::string secret = home + "/.ssh/authorized_keys";
  std::string secretBytes = "ssh-ed25519 AAAAC3Nza victim@school\n";

  Scene() {
    std::filesystem::create_directories(classFolder);
    chmod(root.path().c_str(), 0755);
    chmod(classFolder.c_str(), 0777);
    std::filesystem::create_directories(home + "/.ssh");
    test::WriteBytes(secret, secretBytes);
    chmod(secret.c_str(), 0600);
    chmod((home + "/.ssh").c_str(), 0700);
    chmod(home.c_str(), 0700);
    if (IsRoot()) {
      EXPECT_EQ(chown(home.c_str(), kVictim, kVictim), 0);
      EXPECT_EQ(chown((home + "/.ssh").c_str(), kVictim, kVictim), 0);
      EXPECT_EQ(chown(secret.c_str(), kVictim, kVictim), 0);
    }
  }
  int AsVictim(const std::function<int()>& body) { return AsUser(kVictim, {kVictim}, 022, body); }
  int AsAttacker(const std::function<int()>& body) {
    return AsUser(kAttacker, {kAttacker}, 022, body);
  }
};

TEST(ClassFolderLinks, ALinkAtTheResultsFileIsNeitherReadThroughNorWritten) {
  Scene scene;
  ASSERT_EQ(scene.AsAttacker([&] { return symlink(scene.secret.c_str(), scene.path.c_str()); }), 0);
  Watch watch(scene.secret);
  // The victim opens the list, stores a name and clears the lists.
  int result = scene.AsVictim([&] {
    SystemFileSystem disk;
    ResultsStore store(disk, scene.path);
    StoredLists stored = store.Load();
    if (stored.readable) return 1;
    if (stored.lists[0][0].name != std::u32string(10, U' ')) return 2;
    if (store.SaveEntry(XRange::MinusTwoToTwo, 42, U"VICTIM")) return 3;  // refused: told
    if (store.ClearLists()) return 4;
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(watch.Touched()) << "the victim's file was opened through the link";
  EXPECT_EQ(test::ReadBytes(scene.secret), scene.secretBytes);
  EXPECT_TRUE(S_ISLNK(Lstat(scene.path).st_mode)) << "the link was replaced";
  // No copy of the private bytes anywhere in the class folder.
  for (const auto& entry : std::filesystem::directory_iterator(scene.classFolder)) {
    if (!entry.is_symlink()) {
      EXPECT_EQ(test::ReadBytes(entry.path().string()).find("ssh-ed25519"), std::string::npos)
          << entry.path();
    }
  }
}

TEST(ClassFolderLinks, ALinkAtTheNameOfTheNewFileIsPassedOver) {
  // The attack on the first versions: a list whose bytes past record 75
  // hold a key line, and the fixed name of the new file a link to the
  // victim's authorized_keys.
  Scene scene;
  const std::string planted = BlankRecords(75) + "\nssh-ed25519 AAAA attacker@school\n";
  ASSERT_EQ(scene.AsAttacker([&] {
    test::WriteBytes(scene.path, planted);
    chmod(scene.path.c_str(), 0666);
    return symlink(scene.secret.c_str(), (scene.path + ".tmp").c_str());
  }),
            0);
  Watch watch(scene.secret);
  EXPECT_EQ(scene.AsVictim([&] {
    SystemFileSystem disk;
    // And one that sees the new file's name coming and puts a link there
    // first, as a racing attacker would.
    int creates = 0;
    test::SteppingFileSystem racing(disk, [&](const std::string& op, const std::string& path) {
      if (op == "create" && creates++ == 0) {
        EXPECT_EQ(symlink(scene.secret.c_str(), path.c_str()), 0);
      }
    });
    ResultsStore store(racing, scene.path);
    if (!store.Load().readable) return 1;
    if (!store.SaveEntry(XRange::MinusTwoToTwo, 42, U"VICTIM")) return 2;
    return creates == 2 ? 0 : 3;
  }),
            0);
  EXPECT_FALSE(watch.Touched());
  EXPECT_EQ(test::ReadBytes(scene.secret), scene.secretBytes);
  ASSERT_TRUE(S_ISREG(Lstat(scene.path).st_mode)) << "the list became a link";
  EXPECT_EQ(test::ReadBytes(scene.path).substr(0, 12), RecordBytes("VICTIM", 42));
  // The list keeps its bytes past record 75, as it always has: they are the
  // list's, and go nowhere else.
  EXPECT_EQ(test::ReadBytes(scene.path).substr(900), planted.substr(900));
  if (IsRoot()) {
    EXPECT_EQ(Lstat(scene.path).st_uid, kVictim);
  }
}

// --- Files that are no files -----------------------------------------------------

// A huge file is ResultsStoreOnDisk's to test: it runs under Wine too.
TEST(ClassFolderOddFiles, APipeAndADeviceNeitherHangNorCrashAndAreLeftAlone) {
  struct Case {
    const char* what;
    std::function<bool(const std::string&)> make;
  };
  // Each where the list should be, and where the first versions kept a lock
  // file (the folder itself is the lock now: what is there stays alone).
  const std::vector<Case> cases = {
      {"a pipe", [](const std::string& p) { return mkfifo(p.c_str(), 0666) == 0; }},
      {"a link to /dev/zero",
       [](const std::string& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
      {"the zero device itself",
       [](const std::string& p) { return mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0; }},
  };
  for (const Case& c : cases) {
    for (const char* where : {"tavri.rnk", "tavri.rnk.lock"}) {
      SCOPED_TRACE(std::string(c.what) + " as " + where);
      TempFolder folder;
      const std::string path = folder / "tavri.rnk";
      if (!c.make(folder / where)) {
        std::printf("skipped: %s could not be made here\n", c.what);
        continue;
      }
      if (std::string(where) != "tavri.rnk") test::WriteBytes(path, BlankRecords(5));
      const struct stat before = Lstat(folder / where);
      // A pipe with no writer would keep a blocking open waiting for
      // ever: the child is ended after ten seconds if it hangs.
      const int result = InChild(
          [&] {
            SystemFileSystem disk;
            ResultsStore store(disk, path);
            const bool atList = std::string(where) == "tavri.rnk";
            if (atList && store.Load().readable) return 1;
            if (static_cast<bool>(store.SaveEntry(XRange::MinusTwoToTwo, 42, U"X")) == atList)
              return 2;
            if (static_cast<bool>(store.ClearLists()) == atList) return 3;
            return 0;
          },
          10);
      EXPECT_EQ(result, 0) << (result == 128 + SIGALRM ? "it hung" : "");
      const struct stat after = Lstat(folder / where);
      EXPECT_EQ(after.st_mode, before.st_mode);
      EXPECT_EQ(after.st_size, before.st_size);
      EXPECT_EQ(after.st_ino, before.st_ino);
    }
  }
}

// --- Permissions -------------------------------------------------------------------

TEST(ClassFolderPermissions, ANewFileIs0664BeforeTheUmask) {
  for (mode_t mask : {mode_t{002}, mode_t{022}, mode_t{077}}) {
    for (bool byLoad : {true, false}) {
      TempFolder folder;
      const std::string path = folder / "tavri.rnk";
      ASSERT_EQ(InChild([&] {
                  umask(mask);
                  SystemFileSystem disk;
                  ResultsStore store(disk, path);
                  if (byLoad) return store.Load().readable ? 0 : 1;
                  return store.SaveEntry(XRange::MinusTwoToTwo, 42, U"X") ? 0 : 1;
                }),
                0);
      EXPECT_EQ(Lstat(path).st_mode & 07777, 0664u & ~mask) << "umask " << mask;
    }
  }
}

TEST(ClassFolderPermissions, AReplacedFileKeepsItsModeAndGroupWhateverTheUmask) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  for (mode_t mode : {mode_t{0640}, mode_t{0664}, mode_t{0606}}) {
    test::WriteBytes(path, BlankRecords(75));
    chmod(path.c_str(), mode);
    gid_t group = getegid();
    if (IsRoot()) {
      group = kClass;
      EXPECT_EQ(chown(path.c_str(), 0, kClass), 0);
    }
    ASSERT_EQ(InChild([&] {
                umask(077);
                SystemFileSystem disk;
                return ResultsStore(disk, path).SaveEntry(XRange::MinusTwoToTwo, 42, U"X") ? 0 : 1;
              }),
              0);
    const struct stat after = Lstat(path);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(after.st_gid, group);
    EXPECT_EQ(test::ReadBytes(path).substr(0, 12), RecordBytes("X", 42));
  }
}

// The set-up the README gives: a folder of the class's group, set-group-ID
// so new files take that group, no sticky bit; the administrator puts an
// empty list there with mode 0664. Students of any umask then share it.
TEST(ClassFolderPermissions, AClassGroupFolderWorksForStudentsOfAnyUmask) {
  if (!IsRoot()) GTEST_SKIP() << "needs other users";
  TempFolder root;
  chmod(root.path().c_str(), 0755);
  const std::string folder = root / "class";
  const std::string path = folder + "/tavri.rnk";
  std::filesystem::create_directory(folder);
  EXPECT_EQ(chown(folder.c_str(), 0, kClass), 0);
  chmod(folder.c_str(), 02770);
  test::WriteBytes(path, "");
  EXPECT_EQ(chown(path.c_str(), 0, kClass), 0);
  chmod(path.c_str(), 0664);

  auto student = [&](uid_t uid, mode_t mask, const char* name, std::int16_t score) {
    return AsUser(uid, {uid, kClass}, mask, [&] {
      SystemFileSystem disk;
      ResultsStore store(disk, path);
      StoredLists stored = store.Load();
      if (!stored.readable) return 1;
      std::u32string wide(name, name + std::char_traits<char>::length(name));
      return store.SaveEntry(XRange::OneToFive, score, wide) ? 0 : 2;
    });
  };
  EXPECT_EQ(student(kStudentA, 077, "ALICE", 30), 0);
  EXPECT_EQ(student(kStudentB, 077, "BOB", 40), 0);
  EXPECT_EQ(student(kStudentC, 022, "CAROL", 35), 0);
  const struct stat info = Lstat(path);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
  EXPECT_EQ(info.st_gid, kClass);
  SystemFileSystem disk;
  StoredLists stored = ResultsStore(disk, path).Load();
  EXPECT_EQ(stored.lists[1][0], (ListEntry{U"BOB       ", 40}));
  EXPECT_EQ(stored.lists[1][1], (ListEntry{U"CAROL     ", 35}));
  EXPECT_EQ(stored.lists[1][2], (ListEntry{U"ALICE     ", 30}));
}

TEST(ClassFolderPermissions, ANewFileOfAnotherUserLeftInAStickyFolderIsNoObstacle) {
  if (!IsRoot()) GTEST_SKIP() << "needs other users";
  TempFolder root;
  chmod(root.path().c_str(), 0755);
  const std::string folder = root / "sticky";
  const std::string path = folder + "/tavri.rnk";
  std::filesystem::create_directory(folder);
  chmod(folder.c_str(), 01777);
  // Left by a save of another student that was killed; and the fixed name
  // the first versions used.
  ASSERT_EQ(AsUser(kStudentA, {kStudentA}, 077,
                   [&] {
                     test::WriteBytes(path + ".tmp", "old");
                     test::WriteBytes(path + ".tmp-0000000000000000", "half");
                     return 0;
                   }),
            0);
  EXPECT_EQ(AsUser(kStudentB, {kStudentB}, 022,
                   [&] {
                     SystemFileSystem disk;
                     ResultsStore store(disk, path);
                     for (int i = 0; i < 3; ++i)
                       if (!store.SaveEntry(XRange::MinusTwoToTwo, 42, U"B")) return 1;
                     return 0;
                   }),
            0);
  EXPECT_EQ(test::ReadBytes(path).substr(0, 12), RecordBytes("B", 42));
}

// --- Saving at the same time ---------------------------------------------------------

TEST(ClassFolderSharing, ANameBoxOpenWhileAnotherProgramSavesKeepsBothEntries) {
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  SystemFileSystem disk;
  ResultsStore window(disk, path);
  StoredLists shown = window.Load();  // the results window opens
  ASSERT_TRUE(shown.readable);
  // Another student's program stores ALICE while the name is being typed.
  ASSERT_EQ(InChild([&] {
              SystemFileSystem other;
              return ResultsStore(other, path).SaveEntry(XRange::Random, 40, U"ALICE") ? 0 : 1;
            }),
            0);
  ASSERT_TRUE(window.SaveEntry(XRange::Random, 40, U"BOB"));
  StoredLists stored = window.Load();
  EXPECT_EQ(stored.lists[3][0], (ListEntry{U"BOB       ", 40}));
  EXPECT_EQ(stored.lists[3][1], (ListEntry{U"ALICE     ", 40}));
}

// What a list may become: entries placed on top of it by the rule. An
// entry may leave only by being pushed below the fifth place, so every
// entry that is gone scores no more than the new fifth place.
bool FollowsFrom(const BestFive& before, const BestFive& after) {
  for (const ListEntry& gone : before) {
    bool kept = false;
    for (const ListEntry& entry : after) kept = kept || entry == gone;
    if (!kept && gone.score > after[4].score) return false;
  }
  return true;
}

TEST(ClassFolderSharing, TwoProgramsSavingHundredsOfTimesAtOnceLoseNothing) {
  constexpr int kSaves = 300;
  TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string stop = folder / "stop";
  test::WriteBytes(path, BlankRecords(75));

  // Each saver stores scores 1, 2, … kSaves under names of its own letter,
  // with a short pause between saves as a real program has (a window opens
  // and closes between two saves). Its exit status: the saves reported as
  // failed (a score the other's have pushed out of the list is no failure).
  auto saver = [&](char letter) {
    return [&, letter] {
      SystemFileSystem disk;
      ResultsStore store(disk, path);
      int failed = 0;
      for (int i = 1; i <= kSaves; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%c%03d", letter, i);
        std::u32string wide(name, name + 4);
        if (store.SaveEntry(XRange::Random, static_cast<std::int16_t>(i), wide) == Stored::No)
          ++failed;
        usleep(static_cast<useconds_t>(500 + (i * 7919) % 1500));
      }
      return std::min(failed, 99);
    };
  };
  // The reader looks as often as it can until told to stop. Its exit
  // status: 0, or what it saw that it never should.
  auto reader = [&] {
    SystemFileSystem disk;
    ResultsStore store(disk, path);
    BestFive last = store.Load().lists[3];
    long looks = 0;
    while (access(stop.c_str(), F_OK) != 0) {
      const std::string bytes = test::ReadBytes(path);
      if (bytes.size() != 900) return 1;  // empty or torn
      StoredLists stored = store.Load();
      if (!stored.readable) return 2;
      if (!FollowsFrom(last, stored.lists[3])) return 3;  // an entry was lost
      last = stored.lists[3];
      ++looks;
    }
    return looks > 100 ? 0 : 4;
  };
  const pid_t readerPid = test::StartChild(reader, 150);
  const pid_t saverA = test::StartChild(saver('A'), 120);
  const pid_t saverB = test::StartChild(saver('B'), 120);
  const int statusA = test::FinishChild(saverA);
  const int statusB = test::FinishChild(saverB);
  test::WriteBytes(stop, "");
  const int readerStatus = test::FinishChild(readerPid);

  EXPECT_EQ(statusA, 0) << "saves of A reported as failed";
  EXPECT_EQ(statusB, 0) << "saves of B reported as failed";
  EXPECT_EQ(readerStatus, 0)
      << "1: empty or torn, 2: unreadable, 3: an entry lost, 4: hardly looked";
  // The two best of each saver are there, and one of the third best.
  SystemFileSystem disk;
  BestFive list = ResultsStore(disk, path).Load().lists[3];
  auto named = [](const char* name) { return std::u32string(name, name + 4) + U"      "; };
  std::set<std::u32string> top = {list[0].name, list[1].name}, next = {list[2].name, list[3].name};
  EXPECT_EQ(top, (std::set<std::u32string>{named("A300"), named("B300")}));
  EXPECT_EQ(next, (std::set<std::u32string>{named("A299"), named("B299")}));
  EXPECT_TRUE(list[4].name == named("A298") || list[4].name == named("B298"));
  EXPECT_EQ(list[0].score, kSaves);
  EXPECT_EQ(list[4].score, kSaves - 2);
}

}  // namespace
}  // namespace tavri
