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

}  // namespace tavri::test
