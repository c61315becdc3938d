// The results window reading any bytes as its file, then leaving the way the
// input says: a game's score placed and a name stored with 戻る, the list
// cleared with 初期化, or only looked at.
//
// Input: byte 0 the x range, byte 1 the game's score, byte 2 the way out,
// byte 3 the length n of the typed name, the next n bytes the name (any
// UTF-8, broken or not), and the rest the file.
//
// Checked:
// - a stored list reads back as it was shown: every score alike, every name
//   as the code page holds it (cut to ten bytes, "?" for what it lacks), and
//   nothing after record 75 of the old file changes; records 22 to 75 are
//   blank;
// - a clear blanks records 1 to 20 and leaves every other byte alone;
// - looking without a new entry changes nothing;
// - a save that succeeds tells the player nothing.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "results/core/code_page.h"
#include "results/core/form3.h"
#include "results/core/rank_codec.h"
#include "results/core/results_file.h"
#include "shared/utf8.h"
#include "support/fake_file_system.h"
#include "support/fake_form3_host.h"

namespace {

using tavri::Form3;

const std::string kPath = "tavri.rnk";
std::string_view gInput;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s; input of %zu bytes:", what, gInput.size());
  for (unsigned char byte : gInput) std::fprintf(stderr, " %02X", byte);
  std::fprintf(stderr, "\n");
  std::abort();
}

// Answers every box at once: OK to the confirmation; counts the notices.
class AnsweringPlatform : public tavri::Platform {
 public:
  tavri::MessageAnswer MsgBox(const tavri::MessageBoxSpec& box) override {
    if (box.buttons == tavri::MessageButtons::Ok) ++notices;
    return tavri::MessageAnswer::Ok;
  }
  void Beep() override {}
  void Randomize() override {}
  float Rnd() override { return 0; }
  int notices = 0;
};

// A name as the file can hold it: whole characters up to ten bytes, "?" for
// a character the code page lacks, blanks up to ten characters.
std::u32string Storable(std::u32string_view name) {
  std::u32string out;
  std::size_t bytes = 0;
  for (char32_t c : name) {
    std::string encoded = tavri::ToCp932(std::u32string_view(&c, 1));
    if (bytes + encoded.size() > tavri::kNameFieldSize) break;
    bytes += encoded.size();
    out += tavri::FromCp932(encoded);
  }
  out.resize(tavri::kNameFieldSize, U' ');
  return out;
}

struct Session {
  tavri::Module1 module;
  AnsweringPlatform platform;
  tavri::test::FakeForm3Host host;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  gInput = std::string_view(reinterpret_cast<const char*>(data), size);
  const int range = data[0] % tavri::kRangeCount;
  const auto score = static_cast<std::int16_t>(data[1] % 51);
  const int way = data[2] % 3;
  const std::size_t nameLength = std::min<std::size_t>(data[3], size - 4);
  const std::string typed(gInput.substr(4, nameLength));
  const std::string before(gInput.substr(4 + nameLength));

  tavri::test::FakeFileSystem files;
  files.files[kPath] = before;

  Session first;
  first.module.xRange = static_cast<std::int16_t>(range);
  first.module.totalScore = way == 2 ? 0 : score;
  Form3 form(first.module, first.platform, first.host, files, kPath);
  form.Form_Load();
  const bool newEntry = form.Text1.Visible;
  if (way == 1) {
    form.Command2_Click();
  } else {
    form.Text1.Text = typed;
    form.Text1_Change();
    form.Text1_KeyPress(13);
  }
  if (!form.Unloaded() || first.host.unloads != 1) Fail("the window did not close");
  if (first.platform.notices != 0) Fail("a save that worked was reported as failed");
  const std::string after = files.files.at(kPath);

  if (way == 1) {
    const std::size_t cleared = tavri::kClearedRecords * tavri::kRecordSize;
    if (after.size() != std::max(before.size(), cleared)) Fail("the clear changed the length");
    const std::string blank = tavri::EncodeRecord(tavri::RankRecord{});
    for (std::size_t n = 0; n < tavri::kClearedRecords; ++n)
      if (after.compare(n * tavri::kRecordSize, tavri::kRecordSize, blank) != 0)
        Fail("the clear left a record of the lists");
    if (before.size() > cleared && after.compare(cleared, std::string::npos, before, cleared) != 0)
      Fail("the clear touched bytes after the lists");
    return 0;
  }
  if (!newEntry) {
    if (after != before) Fail("a list only looked at was changed");
    return 0;
  }

  const std::size_t stored = tavri::kStoredRecords * tavri::kRecordSize;
  if (after.size() != std::max(before.size(), stored)) Fail("the save changed the length");
  if (before.size() > stored && after.compare(stored, std::string::npos, before, stored) != 0)
    Fail("the save touched bytes after record 75");
  const std::string blank = tavri::EncodeRecord(tavri::RankRecord{});
  for (std::size_t n = tavri::kLoadedRecords; n < tavri::kStoredRecords; ++n)
    if (after.compare(n * tavri::kRecordSize, tavri::kRecordSize, blank) != 0)
      Fail("a record past the lists was not written blank");

  // Open the list again, from the menu: it reads as the first window held it.
  Session second;
  second.module.xRange = static_cast<std::int16_t>(range);
  Form3 again(second.module, second.platform, second.host, files, kPath);
  again.Form_Load();
  for (std::size_t i = 0; i < tavri::kLoadedRecords; ++i) {
    if (again.rankScores[i] != form.rankScores[i]) Fail("a score read back differently");
    if (again.rankNames[i] != Storable(form.rankNames[i])) Fail("a name read back differently");
  }
  again.Command1_Click();
  if (files.files.at(kPath) != after) Fail("looking at the stored list changed it");
  return 0;
}
