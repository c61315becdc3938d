// The real file services flush what a save writes: this program stands in
// for the system's fsync and renameat (the core calls them by name, and the
// test program's own definitions come first), records each call with what
// it was made on, and can make fsync fail. Taking out either flush of a
// save, or doing them in another order, fails a test here.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "results/core/results_store.h"
#include "support/record_bytes.h"
#include "support/results_printing.h"
#include "support/temp_folder.h"

namespace {

// What the stand-ins saw while a test was looking; a name to fail fsync on.
bool gRecording = false;
std::vector<std::string> gCalls;
std::string gFailFsyncOn;

std::string FileOf(int fd) {
  char link[64], target[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  ssize_t n = readlink(link, target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string("?");
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

extern "C" int fsync(int fd) {
  static auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
  if (gRecording) {
    const std::string name = NameOf(FileOf(fd));
    gCalls.push_back("fsync " + name);
    if (!gFailFsyncOn.empty() && name.starts_with(gFailFsyncOn)) {
      errno = EIO;
      return -1;
    }
  }
  return real(fd);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
  static auto real =
      reinterpret_cast<int (*)(int, const char*, int, const char*)>(dlsym(RTLD_NEXT, "renameat"));
  if (gRecording) gCalls.push_back("rename " + NameOf(from) + " " + NameOf(to));
  return real(fromFolder, from, toFolder, to);
}

namespace tavri {
namespace {

struct Recording {
  Recording() {
    gCalls.clear();
    gRecording = true;
  }
  ~Recording() {
    gRecording = false;
    gFailFsyncOn.clear();
  }
};

std::string OldList() { return test::FullList() + test::BlankRecords(70) + "tail"; }

// A list on the real disk, and a store for it.
class RealDurability : public testing::Test {
 protected:
  RealDurability() { test::WriteBytes(path, OldList()); }
  test::TempFolder folder;
  const std::string path = folder / "tavri.rnk";
  const std::string folderName = folder.path().filename().string();
  SystemFileSystem disk;
  ResultsStore store{disk, path};
};

TEST_F(RealDurability, TheNewFileIsFlushedThenRenamedThenTheFolderFlushed) {
  for (bool clear : {false, true}) {
    Recording recording;
    ASSERT_TRUE(clear ? store.ClearLists() : store.SaveEntry(XRange::MinusTwoToTwo, 45, U"NEW"));
    ASSERT_EQ(gCalls.size(), 3u);
    const std::string temporary = gCalls[0].substr(6);
    EXPECT_TRUE(temporary.starts_with("tavri.rnk.tmp-")) << gCalls[0];
    EXPECT_EQ(gCalls[1], "rename " + temporary + " tavri.rnk");
    EXPECT_EQ(gCalls[2], "fsync " + folderName);
  }
}

TEST_F(RealDurability, AFlushThatFailsIsToldAsItIs) {
  {
    // The new file cannot be flushed: the old list stays, the player is told.
    Recording recording;
    gFailFsyncOn = "tavri.rnk.tmp-";
    EXPECT_EQ(store.SaveEntry(XRange::MinusTwoToTwo, 45, U"NEW"), Stored::No);
    EXPECT_EQ(store.ClearLists(), Stored::No);
  }
  EXPECT_EQ(test::ReadBytes(path), OldList());
  {
    // The folder cannot be flushed: the new list is in place but may not
    // outlast a power cut. The player is told that, not that it failed.
    Recording recording;
    gFailFsyncOn = folderName;
    EXPECT_EQ(store.SaveEntry(XRange::MinusTwoToTwo, 45, U"NEW"), Stored::Unconfirmed);
  }
  EXPECT_EQ(test::ReadBytes(path).substr(12, 12), test::RecordBytes("NEW", 45));
  EXPECT_EQ(folder.Leftovers(), std::vector<std::string>{});
}

}  // namespace
}  // namespace tavri
