// What the page's script calls in the core: plain C functions over UTF-8
// text and bytes. The page builds the program with tavri_start and from then
// on reports every event the player, the countdown or a box makes, one
// function each (the host's own events). Around every event it hands over
// the results file as the browser's storage holds it and takes it back
// (tavri_put_file, tavri_file_changed), under the browser's lock on it.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "app/core/host.h"
#include "app/core/program.h"
#include "imported_file.h"
#include "page_files.h"
#include "page_front_end.h"
#include "results/core/results_store.h"

namespace tavri {
namespace {

constexpr const char* kResultsPath = "tavri.rnk";

struct Page {
  PageFiles files{kResultsPath};
  ResultsStore store{files, kResultsPath};
  PageRandom random;
  Program program{random, store};
  PageFrontEnd frontEnd;
  Host host{program, frontEnd};
};

std::unique_ptr<Page> page;
// The last answer handed to the page as text; it stays until the next.
std::string answer;

bool Known(int window) { return window >= 0 && window <= static_cast<int>(WindowId::Help); }

template <typename Event>
void Report(int window, Event&& event) {
  if (page && Known(window)) event(page->host, static_cast<WindowId>(window));
}

}  // namespace
}  // namespace tavri

using tavri::page;
using tavri::Host;
using tavri::WindowId;

extern "C" {

EMSCRIPTEN_KEEPALIVE void tavri_start() {
  if (page) return;
  page = std::make_unique<tavri::Page>();
  page->host.Start();
}

EMSCRIPTEN_KEEPALIVE int tavri_ended() { return !page || page->host.ended(); }

// --- The host's events ------------------------------------------------------------------

EMSCRIPTEN_KEEPALIVE void tavri_click(int window, int control) {
  tavri::Report(window, [=](Host& host, WindowId id) { host.OnClick(id, control); });
}

EMSCRIPTEN_KEEPALIVE void tavri_menu_chosen(int window, int item) {
  tavri::Report(window, [=](Host& host, WindowId id) { host.OnMenuChosen(id, item); });
}

EMSCRIPTEN_KEEPALIVE void tavri_text_edited(int window, int control, const char* text) {
  tavri::Report(window, [=](Host& host, WindowId id) { host.OnTextEdited(id, control, text); });
}

EMSCRIPTEN_KEEPALIVE void tavri_key_press(int window, int control, int code) {
  tavri::Report(window, [=](Host& host, WindowId id) { host.OnKeyPress(id, control, code); });
}

EMSCRIPTEN_KEEPALIVE void tavri_close_box(int window) {
  tavri::Report(window, [](Host& host, WindowId id) { host.OnCloseBox(id); });
}

EMSCRIPTEN_KEEPALIVE void tavri_activated(int window) {
  tavri::Report(window, [](Host& host, WindowId id) { host.OnActivated(id); });
}

// 0: OK, 1: Cancel.
EMSCRIPTEN_KEEPALIVE void tavri_box_answered(int answer) {
  if (page)
    page->host.OnBoxAnswered(answer == 1 ? tavri::MessageAnswer::Cancel : tavri::MessageAnswer::Ok);
}

EMSCRIPTEN_KEEPALIVE void tavri_timer_tick() {
  if (page) page->host.OnTimerTick();
}

// --- The results file ---------------------------------------------------------------------

// Memory for bytes the page hands over.
EMSCRIPTEN_KEEPALIVE char* tavri_buffer(int size) {
  tavri::answer.assign(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  return tavri::answer.data();
}

// The stored file before an event, in the buffer: 0 no file, 1 the bytes,
// 2 no storage the page can use.
EMSCRIPTEN_KEEPALIVE void tavri_put_file(int stored, int size) {
  if (!page) return;
  const auto kind = stored == 1   ? tavri::PageFiles::Stored::Present
                    : stored == 2 ? tavri::PageFiles::Stored::Unusable
                                  : tavri::PageFiles::Stored::Missing;
  page->files.Put(kind, tavri::answer.substr(0, static_cast<std::size_t>(size > 0 ? size : 0)));
}

// After an event: 0 unchanged, 1 the new bytes are in tavri_file_bytes,
// 2 the file is gone.
EMSCRIPTEN_KEEPALIVE int tavri_file_changed() {
  if (!page || !page->files.Changed()) return 0;
  const std::optional<std::string> file = page->files.file();
  if (!file) return 2;
  tavri::answer = *file;
  return 1;
}

EMSCRIPTEN_KEEPALIVE const char* tavri_file_bytes() { return tavri::answer.data(); }
EMSCRIPTEN_KEEPALIVE int tavri_file_size() { return static_cast<int>(tavri::answer.size()); }

// The most an import reads of a chosen file: anything larger is no results
// file.
EMSCRIPTEN_KEEPALIVE int tavri_import_limit() {
  return static_cast<int>(tavri::kMaxResultsFileSize) + 1;
}

// A chosen file's first bytes (in the buffer) and its whole size: why it is
// no results file (UTF-8), or "" when it is one.
EMSCRIPTEN_KEEPALIVE const char* tavri_import_problem(int size, double wholeSize) {
  const std::string bytes = tavri::answer.substr(0, static_cast<std::size_t>(size > 0 ? size : 0));
  // A size beyond the limit is only ever too large, however large.
  const double limit = tavri_import_limit();
  tavri::answer = tavri::WhyNotResultsFile(
      bytes, static_cast<std::size_t>(wholeSize > limit ? limit : wholeSize > 0 ? wholeSize : 0));
  return tavri::answer.c_str();
}

}  // extern "C"
