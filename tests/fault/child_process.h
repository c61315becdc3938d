// Runs a piece of a test in a process of its own: as another user, with
// another umask or file-size limit, or to be killed. POSIX only.
#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace tavri::test {

// Starts `body` in a child process, which ends with its result. A child
// still running after `seconds` is ended by SIGALRM: nothing may hang.
inline pid_t StartChild(const std::function<int()>& body, unsigned seconds = 60) {
  pid_t child = fork();
  if (child == 0) {
    alarm(seconds);
    _exit(body());
  }
  return child;
}

// The child's exit status, or 128 + the signal that ended it.
inline int FinishChild(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int InChild(const std::function<int()>& body, unsigned seconds = 60) {
  return FinishChild(StartChild(body, seconds));
}

inline bool IsRoot() { return geteuid() == 0; }

// Turns this (child) process into user `uid` of group `gid`, also a member
// of `groups`, with this umask. Needs root.
inline bool BecomeUser(uid_t uid, gid_t gid, const std::vector<gid_t>& groups, mode_t mask) {
  umask(mask);
  if (setgroups(groups.size(), groups.data()) != 0) return false;
  if (setgid(gid) != 0) return false;
  return setuid(uid) == 0;
}

// Runs `body` in a process of its own: as user `uid` of `groups` with
// `mask` when the tests run as root, else as this user.
inline int AsUser(uid_t uid, const std::vector<gid_t>& groups, mode_t mask,
                  const std::function<int()>& body) {
  return InChild([&] {
    if (IsRoot() && !BecomeUser(uid, uid, groups, mask)) return 100;
    return body();
  });
}

// Another user, standing by in a process of its own: each request a test
// (or any process forked after it) sends is done by `act` as that user, and
// its answer (0 to 255) comes back. Lets a test act as a third user between
// two steps of a program that runs as another. Needs root to be another
// user; otherwise it acts as this one.
class Accomplice {
 public:
  Accomplice(uid_t uid, const std::vector<gid_t>& groups,
             const std::function<int(const std::string&)>& act) {
    int requests[2], answers[2];
    if (pipe(requests) != 0 || pipe(answers) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      close(requests[1]);
      close(answers[0]);
      if (IsRoot() && !BecomeUser(uid, uid, groups, 022)) _exit(100);
      std::string request;
      char c;
      while (read(requests[0], &c, 1) == 1) {
        if (c != '\n') {
          request += c;
          continue;
        }
        const char answer = static_cast<char>(act(request));
        if (write(answers[1], &answer, 1) != 1) break;
        request.clear();
      }
      _exit(0);
    }
    close(requests[0]);
    close(answers[1]);
    toChild_ = requests[1];
    fromChild_ = answers[0];
  }
  ~Accomplice() {
    close(toChild_);
    close(fromChild_);
    if (child_ > 0) FinishChild(child_);
  }
  Accomplice(const Accomplice&) = delete;
  Accomplice& operator=(const Accomplice&) = delete;

  // -1 when it is gone.
  int Ask(const std::string& request) {
    const std::string line = request + "\n";
    unsigned char answer;
    if (write(toChild_, line.data(), line.size()) != static_cast<ssize_t>(line.size()) ||
        read(fromChild_, &answer, 1) != 1)
      return -1;
    return answer;
  }

 private:
  pid_t child_ = -1;
  int toChild_ = -1, fromChild_ = -1;
};

}  // namespace tavri::test
