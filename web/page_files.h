// The results file as the page keeps it: the bytes live in the browser's
// storage (IndexedDB), which only JavaScript can reach and never at once.
// So the page hands the stored bytes over before every event and takes them
// back after it, all under the browser's lock on the list (navigator.locks):
// the store's own locks here are that lock, and a save's re-read, place and
// write happen on the bytes as they are in storage at that moment.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "results/core/file_system.h"

namespace tavri {

class PageFiles : public FileSystem {
 public:
  // What the page's storage holds before an event: the file's bytes, no
  // file at all, or no storage that can be used (a browser that refuses
  // it): then every read and write fails and the player is told.
  enum class Stored { Missing, Present, Unusable };

  explicit PageFiles(std::string path) : path_(std::move(path)) {}

  void Put(Stored stored, std::string bytes);
  // Whether the event changed the results file since Put.
  bool Changed() const { return file() != before_; }
  // The file now (nothing: no file).
  std::optional<std::string> file() const;

  ReadStatus ReadFile(const std::string& path, Links links, std::size_t maxSize, std::string& bytes,
                      FileFacts* facts) override;
  FolderStatus OpenFolder(const std::string& path, std::unique_ptr<Folder>& folder) override;
  bool CanCreateFilesIn(const std::string&) override { return usable_; }
  Clock::time_point Now() override { return Clock::now(); }
  // Nothing here is ever busy: the page's lock keeps other tabs out.
  void Sleep(Clock::duration) override {}

 private:
  std::string path_;
  bool usable_ = true;
  // Every name there is, by its name in the one folder: the results file
  // and a save's new file.
  std::map<std::string, std::string> files_;
  std::optional<std::string> before_;
};

}  // namespace tavri
