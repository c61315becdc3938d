// The real file services: Win32 calls on Windows, POSIX calls elsewhere.
#include "results/core/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <deque>
#include <set>
#include <utility>
#endif

#include <algorithm>
#include <atomic>
#include <string_view>
#include <vector>

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

// A name in a folder, never a way out of it.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos;
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

ReadStatus ReadAt(const std::string& path, Links links, std::size_t maxSize, std::string& bytes,
                  FileFacts* facts) {
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

// The folder's own name for itself, links and junctions on the way resolved,
// so that every name below is looked up in the folder that was opened.
std::string FinalPathOf(HANDLE folder) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return Narrow(path.c_str());
    }
    path.resize(length + 1);
  }
  return {};
}

class WindowsFolder : public Folder {
 public:
  WindowsFolder(HANDLE folder, std::string path) : folder_(folder), path_(std::move(path)) {}

  ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override {
    bytes.clear();
    if (!IsPlainName(name)) return ReadStatus::Failed;
    return ReadAt(At(name), Links::Refuse, maxSize, bytes, facts);
  }

  CreateStatus CreateNewFile(const std::string& name, const FileFacts*,
                             std::unique_ptr<NewFile>& file) override {
    if (!IsPlainName(name)) return CreateStatus::Failed;
    // CREATE_NEW fails on any name that is taken, a link included; the flag
    // keeps a link from being followed in any case. No sharing: nobody else
    // opens it before it is complete. It takes the folder's permissions, as
    // every new file there does.
    Handle created(CreateFileW(Wide(At(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!created.ok()) {
      DWORD error = GetLastError();
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? CreateStatus::Exists
                                                                         : CreateStatus::Failed;
    }
    file = std::make_unique<WindowsNewFile>(created.release());
    return CreateStatus::Created;
  }

  LockStatus TryLock(const std::string& lockName, std::unique_ptr<FileLock>& lock) override {
    if (!IsPlainName(lockName)) return LockStatus::Failed;
    // Shared for reading and writing with the other saves, never for
    // deleting: while any save has it open, nobody can delete the lock file
    // or rename another over it, so there is only ever one.
    Handle file(CreateFileW(Wide(At(lockName)).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.ok()) return IsMomentary(GetLastError()) ? LockStatus::Busy : LockStatus::Failed;
    BY_HANDLE_FILE_INFORMATION info;
    if (!IsPlainFile(file.get(), info)) return LockStatus::Failed;
    OVERLAPPED at{};
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                    &at)) {
      DWORD error = GetLastError();
      return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? LockStatus::Busy
                                                                        : LockStatus::Failed;
    }
    lock = std::make_unique<WindowsLock>(file.release());
    return LockStatus::Locked;
  }

  RenameStatus RenameOver(const std::string& from, const std::string& to) override {
    if (!IsPlainName(from) || !IsPlainName(to)) return RenameStatus::Failed;
    if (MoveFileExW(Wide(At(from)).c_str(), Wide(At(to)).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return RenameStatus::Done;
    // A program that has the old file open (a reader, a virus scanner) keeps
    // it from being replaced for that moment.
    DWORD error = GetLastError();
    return IsMomentary(error) || error == ERROR_ACCESS_DENIED ? RenameStatus::Busy
                                                              : RenameStatus::Failed;
  }

  // MOVEFILE_WRITE_THROUGH has already put the new name on the disk.
  bool Flush() override { return true; }

  void RemovePlainFile(const std::string& name) override {
    if (!IsPlainName(name)) return;
    Handle file(CreateFileW(Wide(At(name)).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.ok() || !IsPlainFile(file.get(), info)) return;
    FILE_DISPOSITION_INFO gone{};
    gone.DeleteFile = TRUE;
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &gone, sizeof gone);
  }

  void VisitNames(const std::function<bool(const std::string&)>& visit) override {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(Wide(At("*")).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
      std::string name = Narrow(found.cFileName);
      if (name != "." && name != ".." && !visit(name)) break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }

 private:
  std::string At(const std::string& name) const { return JoinPath(path_, name); }

  // Held so that the folder stays where it is while it is used.
  Handle folder_;
  std::string path_;
};

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, Links links, std::size_t maxSize,
                                      std::string& bytes, FileFacts* facts) {
  return ReadAt(path, links, maxSize, bytes, facts);
}

FolderStatus SystemFileSystem::OpenFolder(const std::string& path,
                                          std::unique_ptr<Folder>& folder) {
  // Held open without sharing the right to delete: while it is in use,
  // nobody can remove the folder or rename it away and put another in its
  // place.
  Handle opened(CreateFileW(Wide(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!opened.ok()) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FolderStatus::Missing
                                                                          : FolderStatus::Failed;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(opened.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return FolderStatus::Failed;
  std::string where = FinalPathOf(opened.get());
  if (where.empty()) where = path;
  folder = std::make_unique<WindowsFolder>(opened.release(), std::move(where));
  return FolderStatus::Open;
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
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.release();
    }
    return *this;
  }
  bool ok() const { return fd_ >= 0; }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

int OpenRetrying(const std::string& path, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::open(path.c_str(), flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

int OpenAtRetrying(int folder, const std::string& name, int flags, mode_t mode = 0) {
  int fd;
  do fd = ::openat(folder, name.c_str(), flags, mode);
  while (fd < 0 && errno == EINTR);
  return fd;
}

// Every open of a name another user may have planted: no terminal becomes
// this program's, no descriptor leaks into a child, and a pipe or a device
// does not keep the open waiting.
constexpr int kCareful = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// The folders on the way to the results folder need only be passed through,
// not read.
#ifdef O_PATH
constexpr int kPassThrough = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int kPassThrough = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

// How many links a folder's path may go through: as many as the system
// itself follows.
constexpr int kMaxLinks = 40;

ReadStatus StatusOfFailedOpen(int error) {
  if (error == ENOENT) return ReadStatus::Missing;
  // A lease another program holds on the file.
  if (error == EWOULDBLOCK) return ReadStatus::Busy;
  return ReadStatus::Failed;  // ELOOP for a link, EACCES, …
}

ReadStatus ReadOpened(const Descriptor& file, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) {
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

// The umask, which a new list honours as any new file would. Linux tells it
// without changing it; umask() itself can only read it by setting it, for a
// moment, for every thread of the program.
mode_t CurrentUmask() {
  Descriptor status(OpenRetrying("/proc/self/status", O_RDONLY | O_CLOEXEC));
  if (status.ok()) {
    char text[4096];
    ssize_t got = ::read(status.get(), text, sizeof text - 1);
    if (got > 0) {
      text[got] = '\0';
      std::string_view lines(text, static_cast<std::size_t>(got));
      std::size_t at = lines.find("\nUmask:");
      if (at != std::string_view::npos) {
        mode_t mask = 0;
        bool digits = false;
        for (std::size_t i = at + 7; i < lines.size() && lines[i] != '\n'; ++i) {
          if (lines[i] >= '0' && lines[i] <= '7') {
            mask = static_cast<mode_t>(mask * 8 + static_cast<mode_t>(lines[i] - '0'));
            digits = true;
          }
        }
        if (digits) return mask & 0777;
      }
    }
  }
  mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

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
  explicit PosixLock(int fd) : folder_(fd) {}
  ~PosixLock() override { ::flock(folder_.get(), LOCK_UN); }

 private:
  Descriptor folder_;
};

class PosixFolder : public Folder {
 public:
  explicit PosixFolder(Descriptor folder) : folder_(std::move(folder)) {}

  ReadStatus ReadFile(const std::string& name, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override {
    bytes.clear();
    if (!IsPlainName(name)) return ReadStatus::Failed;
    Descriptor file(OpenAtRetrying(folder_.get(), name, O_RDONLY | O_NOFOLLOW | kCareful));
    if (!file.ok()) return StatusOfFailedOpen(errno);
    return ReadOpened(file, maxSize, bytes, facts);
  }

  CreateStatus CreateNewFile(const std::string& name, const FileFacts* like,
                             std::unique_ptr<NewFile>& file) override {
    if (!IsPlainName(name)) return CreateStatus::Failed;
    // O_EXCL: only when nothing is at the name, a link included (O_NOFOLLOW
    // says the same once more). Made for its owner alone: someone who opened
    // it before it has its permissions would read through that descriptor
    // everything written later.
    Descriptor created(
        OpenAtRetrying(folder_.get(), name,
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600));
    if (!created.ok()) return errno == EEXIST ? CreateStatus::Exists : CreateStatus::Failed;
    // Its group and mode before its first byte. The group first: changing
    // it may clear mode bits. A group this program is no member of cannot
    // be given; the folder's (or the user's) group stays then. A file system
    // without permissions (FAT) refuses both, and has nothing to keep.
    mode_t mode = static_cast<mode_t>(0664 & ~CurrentUmask());
    if (like) {
      struct stat info;
      if (like->group >= 0 && ::fstat(created.get(), &info) == 0 &&
          static_cast<std::int64_t>(info.st_gid) != like->group)
        (void)!::fchown(created.get(), static_cast<uid_t>(-1), static_cast<gid_t>(like->group));
      mode = static_cast<mode_t>(like->mode & 0777);
    }
    (void)!::fchmod(created.get(), mode);
    file = std::make_unique<PosixNewFile>(created.release());
    return CreateStatus::Created;
  }

  LockStatus TryLock(const std::string&, std::unique_ptr<FileLock>& lock) override {
    // The folder itself: nobody who may save here can remove it or put
    // another in its place, as anyone could with a file in it. Each lock
    // opens it afresh, so that two locks never share one open folder.
    Descriptor self(OpenAtRetrying(folder_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!self.ok()) return LockStatus::Failed;
    int result;
    do result = ::flock(self.get(), LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) return errno == EWOULDBLOCK ? LockStatus::Busy : LockStatus::Failed;
    lock = std::make_unique<PosixLock>(self.release());
    return LockStatus::Locked;
  }

  RenameStatus RenameOver(const std::string& from, const std::string& to) override {
    if (!IsPlainName(from) || !IsPlainName(to)) return RenameStatus::Failed;
    return ::renameat(folder_.get(), from.c_str(), folder_.get(), to.c_str()) == 0
               ? RenameStatus::Done
               : RenameStatus::Failed;
  }

  bool Flush() override {
    int result;
    do result = ::fsync(folder_.get());
    while (result != 0 && errno == EINTR);
    // EINVAL: a file system that keeps no such thing to flush.
    return result == 0 || errno == EINVAL;
  }

  void RemovePlainFile(const std::string& name) override {
    if (!IsPlainName(name)) return;
    struct stat info;
    if (::fstatat(folder_.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode))
      ::unlinkat(folder_.get(), name.c_str(), 0);
  }

  void VisitNames(const std::function<bool(const std::string&)>& visit) override {
    Descriptor self(OpenAtRetrying(folder_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!self.ok()) return;
    DIR* dir = ::fdopendir(self.get());
    if (!dir) return;
    self.release();  // the listing owns it now
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != ".." && !visit(name)) break;
    }
    ::closedir(dir);
  }

 private:
  Descriptor folder_;
};

std::deque<std::string> PartsOf(std::string_view path) {
  std::deque<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string LinkTarget(int folder, const std::string& name) {
  std::string target(PATH_MAX, '\0');
  ssize_t length = ::readlinkat(folder, name.c_str(), target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return {};
  target.resize(static_cast<std::size_t>(length));
  return target;
}

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, Links links, std::size_t maxSize,
                                      std::string& bytes, FileFacts* facts) {
  bytes.clear();
  int flags = O_RDONLY | kCareful;
  if (links == Links::Refuse) flags |= O_NOFOLLOW;
  Descriptor file(OpenRetrying(path, flags));
  if (!file.ok()) return StatusOfFailedOpen(errno);
  return ReadOpened(file, maxSize, bytes, facts);
}

// The path is followed one name at a time, as the system would follow it,
// links included, noting at each name who could put something else there:
// the owner of the folder it is in, and anyone who may write that folder,
// unless it is sticky (then only the owner of what is there). The folder is
// used only when all of them are root, the folder's own owner (who decides
// what is in it anyway) or this program's user (who can only harm itself),
// as sshd judges the folders of a key. Every name is looked up in the
// folder opened before it, so nothing is checked in one place and opened in
// another.
FolderStatus SystemFileSystem::OpenFolder(const std::string& path,
                                          std::unique_ptr<Folder>& folder) {
  std::string full = path;
  if (!full.starts_with('/')) {
    char here[PATH_MAX];
    if (!::getcwd(here, sizeof here)) return FolderStatus::Failed;
    full = JoinPath(here, path);
  }
  std::vector<Descriptor> chain;  // from "/" to where the walk is
  chain.emplace_back(OpenRetrying("/", kPassThrough));
  if (!chain.back().ok()) return FolderStatus::Failed;
  std::deque<std::string> parts = PartsOf(full);
  std::set<uid_t> replacers;
  bool anyone = false;
  int links = 0;
  while (!parts.empty()) {
    const std::string name = std::move(parts.front());
    parts.pop_front();
    if (name == ".") continue;
    if (name == "..") {
      if (chain.size() > 1) chain.pop_back();
      continue;
    }
    const int at = chain.back().get();
    struct stat parent, entry;
    if (::fstat(at, &parent) != 0) return FolderStatus::Failed;
    if (::fstatat(at, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
      return errno == ENOENT ? FolderStatus::Missing : FolderStatus::Failed;
    replacers.insert(parent.st_uid);
    if (parent.st_mode & (S_IWGRP | S_IWOTH)) {
      if (parent.st_mode & S_ISVTX)
        replacers.insert(entry.st_uid);
      else
        anyone = true;
    }
    if (S_ISLNK(entry.st_mode)) {
      const std::string target = LinkTarget(at, name);
      if (++links > kMaxLinks || target.empty()) return FolderStatus::Failed;
      std::deque<std::string> more = PartsOf(target);
      parts.insert(parts.begin(), more.begin(), more.end());
      if (target.starts_with('/')) chain.resize(1);
      continue;
    }
    if (!S_ISDIR(entry.st_mode)) return FolderStatus::Failed;
    Descriptor next(OpenAtRetrying(at, name, kPassThrough));
    struct stat opened;
    if (!next.ok() || ::fstat(next.get(), &opened) != 0) return FolderStatus::Failed;
    // Put there between the look and the open: by someone the look above
    // counted, but what was looked at is not what was opened.
    if (opened.st_dev != entry.st_dev || opened.st_ino != entry.st_ino) return FolderStatus::Failed;
    chain.push_back(std::move(next));
  }
  Descriptor found(OpenAtRetrying(chain.back().get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  struct stat info;
  if (!found.ok() || ::fstat(found.get(), &info) != 0) return FolderStatus::Failed;
  if (anyone) return FolderStatus::Unsafe;
  for (uid_t user : replacers)
    if (user != 0 && user != info.st_uid && user != ::geteuid()) return FolderStatus::Unsafe;
  folder = std::make_unique<PosixFolder>(std::move(found));
  return FolderStatus::Open;
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
