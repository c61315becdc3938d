// Saves the results list over and over, alternating between two lists, and
// writes one byte to its output after each save. The fault tests kill it
// with SIGKILL at whatever point of a save it has reached.
//
//   save_loop PATH
#include <unistd.h>

#include <string>

#include "fault/lists.h"
#include "results/core/file_system.h"
#include "results/core/results_file.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  tavri::SystemFileSystem disk;
  const std::string path = argv[1];
  for (unsigned long round = 0;; ++round) {
    if (!tavri::StoreLeadingRecords(disk, path, tavri::test::SavedList(round % 2 == 0 ? 'B' : 'A')))
      return 1;
    if (write(STDOUT_FILENO, "s", 1) != 1) return 1;
  }
}
