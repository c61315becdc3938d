// The real file services: Win32 calls on Windows, POSIX calls elsewhere.
#include "results/core/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#endif

#include <algorithm>
#include <atomic>

#include "results/core/results_location.h"

namespace tavri {

namespace {

// Each probe gets a name of its own, so two checks never meet.
std::string ProbeName() {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  unsigned long process = GetCurrentProcessId();
#else
  unsigned long process = static_cast<unsigned long>(getpid());
#endif
  return ".tavri-probe-" + std::to_string(process) + "-" + std::to_string(counter++);
}

}  // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string Narrow(const wchar_t* wide) {
  int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  HANDLE release() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

// Another program has the file open in a way that keeps this one out, or
// is replacing it right now: a moment later it is free again.
bool IsMomentary(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_DELETE_PENDING;
}

// Only a plain file on a disk: not a folder, a link (a reparse point of any
// kind), a pipe or a device.
bool IsPlainFile(HANDLE file, BY_HANDLE_FILE_INFORMATION& info) {
  if (GetFileType(file) != FILE_TYPE_DISK) return false;
  if (!GetFileInformationByHandle(file, &info)) return false;
  return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

class WindowsNewFile : public NewFile {
 public:
  explicit WindowsNewFile(HANDLE h) : file_(h) {}
  bool Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD wrote = 0;
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
      if (!WriteFile(file_.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
        return false;
      done += wrote;
    }
    return true;
  }
  bool Flush() override { return FlushFileBuffers(file_.get()) != 0; }
  bool Close() override {
    if (!file_.ok()) return false;
    return CloseHandle(file_.release()) != 0;
  }

 private:
  Handle file_;
};

class WindowsLock : public FileLock {
 public:
  explicit WindowsLock(HANDLE h) : file_(h) {}
  ~WindowsLock() override {
    OVERLAPPED at{};
    UnlockFileEx(file_.get(), 0, 1, 0, &at);
  }

 private:
  Handle file_;
};

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, Links links, std::size_t maxSize,
                                      std::string& bytes, FileFacts* facts) {
  bytes.clear();
  // Reading never keeps a save out: the file may be renamed over meanwhile.
  DWORD flags = FILE_ATTRIBUTE_NORMAL;
  if (links == Links::Refuse) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, flags, nullptr));
  if (!file.ok()) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return ReadStatus::Missing;
    return IsMomentary(error) ? ReadStatus::Busy : ReadStatus::Failed;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!IsPlainFile(file.get(), info)) return ReadStatus::Failed;
  std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > maxSize) return ReadStatus::Failed;
  bytes.reserve(static_cast<std::size_t>(size));
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      bytes.clear();
      return ReadStatus::Failed;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
    if (bytes.size() > maxSize) {  // it grew while being read
      bytes.clear();
      return ReadStatus::Failed;
    }
  }
  if (facts) *facts = FileFacts{bytes.size(), 0, -1};
  return ReadStatus::Ok;
}

CreateStatus SystemFileSystem::CreateNewFile(const std::string& path, const FileFacts*,
                                             std::unique_ptr<NewFile>& file) {
  // CREATE_NEW fails on any name that is taken, a link included; the flag
  // keeps a link from being followed in any case. The new file takes the
  // folder's permissions, as every new file there does.
  Handle created(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!created.ok()) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateStatus::Exists
                                                                       : CreateStatus::Failed;
  }
  file = std::make_unique<WindowsNewFile>(created.release());
  return CreateStatus::Created;
}

LockStatus SystemFileSystem::TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) {
  Handle file(CreateFileW(
      Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.ok()) return IsMomentary(GetLastError()) ? LockStatus::Busy : LockStatus::Failed;
  BY_HANDLE_FILE_INFORMATION info;
  if (!IsPlainFile(file.get(), info)) return LockStatus::Failed;
  OVERLAPPED at{};
  if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? LockStatus::Busy
                                                                      : LockStatus::Failed;
  }
  lock = std::make_unique<WindowsLock>(file.release());
  return LockStatus::Locked;
}

RenameStatus SystemFileSystem::RenameOver(const std::string& from, const std::string& to) {
  if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return RenameStatus::Done;
  // A program that has the old file open (a reader, a virus scanner) keeps
  // it from being replaced for that moment.
  DWORD error = GetLastError();
  return IsMomentary(error) || error == ERROR_ACCESS_DENIED ? RenameStatus::Busy
                                                            : RenameStatus::Failed;
}

// MOVEFILE_WRITE_THROUGH has already put the new name on the disk.
bool SystemFileSystem::FlushFolder(const std::string&) { return true; }

void SystemFileSystem::RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

std::vector<std::string> SystemFileSystem::NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(Wide(JoinPath(folder, "*")).c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = Narrow(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool SystemFileSystem::CanCreateFilesIn(const std::string& folder) {
  Handle probe(CreateFileW(Wide(JoinPath(folder, ProbeName())).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                           nullptr));
  return probe.ok();
}

void SystemFileSystem::Sleep(Clock::duration duration) {
  auto ms = std::chrono::ceil<std::chrono::milliseconds>(duration).count();
  ::Sleep(static_cast<DWORD>(std::max<decltype(ms)>(ms, 0)));
}

#else

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  bool ok() const { return fd_ >= 0; }
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(path.c_str(), flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Every open of a name another user may have planted: no terminal becomes
// this program's, no descriptor leaks into a child, and a pipe or a device
// does not keep the open waiting.
constexpr int kCareful = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

class PosixNewFile : public NewFile {
 public:
  explicit PosixNewFile(int fd) : file_(fd) {}
  bool Write(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      ssize_t wrote = ::write(file_.get(), bytes.data() + done, bytes.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += static_cast<std::size_t>(wrote);
    }
    return true;
  }
  bool Flush() override {
    int result;
    do result = ::fsync(file_.get());
    while (result != 0 && errno == EINTR);
    return result == 0;
  }
  bool Close() override {
    if (!file_.ok()) return false;
    // No retry on EINTR: the descriptor is gone either way.
    return ::close(file_.release()) == 0;
  }

 private:
  Descriptor file_;
};

class PosixLock : public FileLock {
 public:
  explicit PosixLock(int fd) : file_(fd) {}
  ~PosixLock() override { ::flock(file_.get(), LOCK_UN); }

 private:
  Descriptor file_;
};

// The lock file, never through a link. Opened for reading only, which is
// all a lock needs, so that a lock file another user made can be locked.
// Opened first without O_CREAT: a file of another user in a sticky folder
// cannot be opened with it (fs.protected_regular).
int OpenLockFile(const std::string& path) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    int fd = OpenRetrying(path, O_RDONLY | O_NOFOLLOW | kCareful);
    if (fd >= 0 || errno != ENOENT) return fd;
    fd = OpenRetrying(path, O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | kCareful, 0664);
    if (fd >= 0) {
      // It holds nothing, and everyone who saves must be able to open it,
      // whatever umask its maker had.
      struct stat info;
      if (::fstat(fd, &info) == 0 && (info.st_mode & 0444) != 0444)
        ::fchmod(fd, (info.st_mode & 0777) | 0444);
      return fd;
    }
    if (errno != EEXIST) return -1;  // else another program made it meanwhile
  }
  return -1;
}

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, Links links, std::size_t maxSize,
                                      std::string& bytes, FileFacts* facts) {
  bytes.clear();
  int flags = O_RDONLY | kCareful;
  if (links == Links::Refuse) flags |= O_NOFOLLOW;
  Descriptor file(OpenRetrying(path, flags));
  if (!file.ok()) {
    if (errno == ENOENT) return ReadStatus::Missing;
    // A lease another program holds on the file.
    if (errno == EWOULDBLOCK) return ReadStatus::Busy;
    return ReadStatus::Failed;  // ELOOP for a link, EACCES, …
  }
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::Failed;
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxSize)
    return ReadStatus::Failed;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[4096];
  for (;;) {
    ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes.clear();
      return ReadStatus::Failed;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > maxSize) {  // it grew while being read
      bytes.clear();
      return ReadStatus::Failed;
    }
  }
  if (facts)
    *facts = FileFacts{bytes.size(), static_cast<std::uint32_t>(info.st_mode & 07777),
                       static_cast<std::int64_t>(info.st_gid)};
  return ReadStatus::Ok;
}

CreateStatus SystemFileSystem::CreateNewFile(const std::string& path, const FileFacts* like,
                                             std::unique_ptr<NewFile>& file) {
  // O_EXCL: only when nothing is at the name, a link included (O_NOFOLLOW
  // says the same once more).
  Descriptor created(
      OpenRetrying(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0664));
  if (!created.ok()) return errno == EEXIST ? CreateStatus::Exists : CreateStatus::Failed;
  if (like) {
    // The group first: changing it may clear mode bits. A group this
    // program is no member of cannot be given; the folder's (or the
    // user's) group stays then. A file system without permissions (FAT)
    // refuses both, and has nothing to keep.
    struct stat info;
    if (like->group >= 0 && ::fstat(created.get(), &info) == 0 &&
        static_cast<std::int64_t>(info.st_gid) != like->group)
      (void)!::fchown(created.get(), static_cast<uid_t>(-1), static_cast<gid_t>(like->group));
    (void)!::fchmod(created.get(), static_cast<mode_t>(like->mode & 0777));
  }
  file = std::make_unique<PosixNewFile>(created.release());
  return CreateStatus::Created;
}

LockStatus SystemFileSystem::TryLock(const std::string& path, std::unique_ptr<FileLock>& lock) {
  Descriptor file(OpenLockFile(path));
  if (!file.ok()) return LockStatus::Failed;
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return LockStatus::Failed;
  int result;
  do result = ::flock(file.get(), LOCK_EX | LOCK_NB);
  while (result != 0 && errno == EINTR);
  if (result != 0) return errno == EWOULDBLOCK ? LockStatus::Busy : LockStatus::Failed;
  lock = std::make_unique<PosixLock>(file.release());
  return LockStatus::Locked;
}

RenameStatus SystemFileSystem::RenameOver(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? RenameStatus::Done : RenameStatus::Failed;
}

bool SystemFileSystem::FlushFolder(const std::string& folder) {
  Descriptor dir(OpenRetrying(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // A folder this program may write but not list cannot be opened to be
  // flushed; the rename stands, and is as safe as the system makes it.
  if (!dir.ok()) return errno == EACCES;
  int result;
  do result = ::fsync(dir.get());
  while (result != 0 && errno == EINTR);
  // EINVAL: a file system that keeps no such thing to flush.
  return result == 0 || errno == EINVAL;
}

void SystemFileSystem::RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

std::vector<std::string> SystemFileSystem::NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool SystemFileSystem::CanCreateFilesIn(const std::string& folder) {
  std::string probe = JoinPath(folder, ProbeName());
  Descriptor file(OpenRetrying(probe, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!file.ok()) return false;
  ::close(file.release());
  ::unlink(probe.c_str());
  return true;
}

void SystemFileSystem::Sleep(Clock::duration duration) {
  auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count();
  if (ns <= 0) return;
  timespec left{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

#endif

}  // namespace tavri
