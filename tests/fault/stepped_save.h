// A save in a child process that stops before each of its steps, says
// which step comes next on its output and waits for a byte on its input:
// the test goes on with it, kills it, or acts (as another user) in between.
// POSIX only.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>

#include "fault/child_process.h"
#include "results/core/results_store.h"
#include "support/stepping_file_system.h"

namespace tavri::test {

class SteppedSave {
 public:
  // Stores (`name`, `score`) in the first list of the file at `path`; the
  // child runs `become` first (turns into another user, say) and ends with
  // 0 when the save said it stored, 1 when not, 2 when `become` failed.
  explicit SteppedSave(
      const std::string& path, std::int16_t score = 42, std::u32string name = U"NEW",
      const std::function<bool()>& become = [] { return true; }) {
    int toParent[2], fromParent[2];
    if (pipe(toParent) != 0 || pipe(fromParent) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      close(toParent[0]);
      close(fromParent[1]);
      if (!become()) _exit(2);
      const int out = toParent[1], in = fromParent[0];
      SystemFileSystem disk;
      SteppingFileSystem stepping(disk, [out, in](const std::string& op, const std::string&) {
        const std::string line = op + "\n";
        char go;
        if (write(out, line.data(), line.size()) != static_cast<ssize_t>(line.size()) ||
            read(in, &go, 1) != 1)
          _exit(9);
      });
      _exit(ResultsStore(stepping, path).SaveEntry(XRange::MinusTwoToTwo, score, name) ? 0 : 1);
    }
    close(toParent[1]);
    close(fromParent[0]);
    fromChild_ = toParent[0];
    toChild_ = fromParent[1];
  }
  ~SteppedSave() {
    close(fromChild_);
    close(toChild_);
    if (child_ > 0) {
      kill(child_, SIGKILL);
      FinishChild(child_);
    }
  }
  SteppedSave(const SteppedSave&) = delete;
  SteppedSave& operator=(const SteppedSave&) = delete;

  // The step the child stops before, or "" once it has ended.
  std::string NextStep() {
    std::string line;
    char c;
    while (read(fromChild_, &c, 1) == 1) {
      if (c == '\n') return line;
      line += c;
    }
    return {};
  }
  void Go() { (void)!write(toChild_, "g", 1); }
  // Goes on step by step until the step `step` is next; false when the
  // save ended first.
  bool GoUntil(const std::string& step) {
    for (std::string next = NextStep(); !next.empty(); next = NextStep()) {
      if (next == step) return true;
      Go();
    }
    return false;
  }
  // Once it is waiting before a step: lets it go on to its end.
  int GoToEnd() {
    Go();
    while (!NextStep().empty()) Go();
    return Finish();
  }
  // Once it has ended: its exit status.
  int Finish() {
    int status = FinishChild(child_);
    child_ = -1;
    return status;
  }
  int Kill() {
    kill(child_, SIGKILL);
    int status = FinishChild(child_);
    child_ = -1;
    return status;
  }

 private:
  pid_t child_ = -1;
  int fromChild_ = -1, toChild_ = -1;
};

}  // namespace tavri::test
