// The real file services: Win32 calls on Windows, POSIX calls elsewhere.
#include "results/core/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

#include <atomic>

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

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
#ifdef _WIN32
  const char separator = '\\';
  bool endsWithSeparator = !path.empty() && (path.back() == '\\' || path.back() == '/');
#else
  const char separator = '/';
  bool endsWithSeparator = !path.empty() && path.back() == '/';
#endif
  if (!path.empty() && !endsWithSeparator) path += separator;
  path += name;
  return path;
}

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
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
  bool Close() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing
                                                                          : ReadStatus::Failed;
  }
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      bytes.clear();
      return ReadStatus::Failed;
    }
    if (got == 0) return ReadStatus::Ok;
    bytes.append(buffer, got);
  }
}

bool SystemFileSystem::CreateEmptyIfMissing(const std::string& path) {
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.ok();
}

bool SystemFileSystem::WriteFileDurably(const std::string& path, std::string_view bytes) {
  Handle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0)
      return false;
    done += wrote;
  }
  if (!FlushFileBuffers(file.get())) return false;
  return file.Close();
}

bool SystemFileSystem::RenameOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void SystemFileSystem::RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

bool SystemFileSystem::CanCreateFilesIn(const std::string& folder) {
  Handle probe(CreateFileW(Wide(JoinPath(folder, ProbeName())).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE,
                           nullptr));
  return probe.ok();
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
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

ReadStatus SystemFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.ok()) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
  char buffer[4096];
  for (;;) {
    ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      bytes.clear();
      return ReadStatus::Failed;
    }
    if (got == 0) return ReadStatus::Ok;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

bool SystemFileSystem::CreateEmptyIfMissing(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
  return file.ok();
}

bool SystemFileSystem::WriteFileDurably(const std::string& path, std::string_view bytes) {
  Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.ok()) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = ::write(file.get(), bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return false;
    done += static_cast<std::size_t>(wrote);
  }
  if (::fsync(file.get()) != 0) return false;
  return file.Close();
}

bool SystemFileSystem::RenameOver(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  // The new name itself lives in the folder: flush that too, so a power cut
  // right after the save cannot bring the old list back.
  Descriptor folder(::open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.ok()) ::fsync(folder.get());
  return true;
}

void SystemFileSystem::RemoveFile(const std::string& path) { ::unlink(path.c_str()); }

bool SystemFileSystem::CanCreateFilesIn(const std::string& folder) {
  std::string probe = JoinPath(folder, ProbeName());
  Descriptor file(::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file.ok()) return false;
  file.Close();
  ::unlink(probe.c_str());
  return true;
}

#endif

}  // namespace tavri
