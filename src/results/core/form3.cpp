// Loading the list, placing the new score, the name entry and the two ways
// out of the window.
#include "results/core/form3.h"

#include <utility>

#include "results/core/rank_codec.h"
#include "results/core/results_file.h"
#include "shared/conversions.h"
#include "shared/utf8.h"

namespace tavri {

namespace {

constexpr int kEnterKey = 13;

// The player is told when the list could not be stored: silence would look
// exactly like a successful save.
MessageBoxSpec SaveFailedNotice() {
  return Notice("成績一覧", "成績を保存できませんでした。");
}
MessageBoxSpec ClearFailedNotice() {
  return Notice("成績一覧", "成績一覧を消去できませんでした。");
}

}  // namespace

const std::u32string Form3::kMarker = U"ここです！";

std::string DisplayName(std::u32string_view name) {
  constexpr std::u32string_view kPadding(U" \0", 2);
  std::size_t end = name.find_last_not_of(kPadding);
  return ToUtf8(end == std::u32string_view::npos ? std::u32string_view{} : name.substr(0, end + 1));
}

Form3::Form3(Module1& module, Platform& platform, Form3Host& host, FileSystem& files,
             std::string resultsPath)
    : module_(module),
      platform_(platform),
      host_(host),
      files_(files),
      resultsPath_(std::move(resultsPath)) {}

int Form3::Range() const {
  // The lists of the file have room for fifteen ranges; anything else would
  // reach past the tables.
  int range = module_.xRange;
  return range >= 0 && range < kEntries / kPlaces ? range : 0;
}

void Form3::Form_Load() {
  if (loaded_) return;
  loaded_ = true;
  ReadResultsFile();
  PlaceNewScore();
  Label6.Caption = SignedText(newIndex % kPlaces + 1) + "番です。名前を入力して下さい。";
  int range = Range();
  enz0.Caption = range < kRangeCount ? kRangeNames[range] : std::string();

  // The window lays out in pixels; the front end places element i of each
  // list kRowStep * i below element 0.
  int first = kPlaces * range;
  jyun[0].Caption = SignedText(1);
  for (int i = 1; i < kPlaces; ++i) jyun.push_back(Label{SignedText(i + 1)});
  namae[0].Caption = DisplayName(rankNames[first]);
  jikan[0].Caption = PlainText(rankScores[first]);
  for (int i = 1; i < kPlaces; ++i) {
    namae.push_back(Label{DisplayName(rankNames[first + i])});
    jikan.push_back(Label{PlainText(rankScores[first + i])});
  }
  const auto& best = module_.bestScores[range];
  jikan1[0].Caption = PlainText(best[0]);
  for (int i = 1; i < kBestOfRun; ++i) {
    jyun1.push_back(Label{SignedText(i + 1)});
    jikan1.push_back(Label{PlainText(best[i])});
  }
}

void Form3::ReadResultsFile() {
  std::string bytes;
  readFailed_ = OpenResultsFile(files_, resultsPath_, bytes) == ReadStatus::Failed;
  for (std::size_t i = 0; i < kLoadedRecords; ++i) {
    module_.rankRecord = RecordAt(bytes, i + 1);
    rankScores[i] = module_.rankRecord.score;
    rankNames[i] = module_.rankRecord.name;
  }
}

void Form3::PlaceNewScore() {
  const std::int16_t score = module_.totalScore;
  jikan9.Caption = SignedText(score);
  bool placed = false;
  if (score != 0 && module_.resultSaved != 1) {
    int range = Range();
    // Greater than or equal in both lists: the newest of equal scores ranks
    // highest.
    auto& best = module_.bestScores[range];
    for (int p = 0; p < kBestOfRun; ++p) {
      if (score >= best[p]) {
        for (int q = kBestOfRun - 2; q >= p; --q) best[q + 1] = best[q];
        best[p] = score;
        break;
      }
    }
    int first = kPlaces * range;
    for (newIndex = static_cast<std::int16_t>(first); newIndex < first + kPlaces; ++newIndex) {
      if (score >= rankScores[newIndex]) {
        for (int k = first + kPlaces - 2; k >= newIndex; --k) {
          rankScores[k + 1] = rankScores[k];
          rankNames[k + 1] = rankNames[k];
        }
        rankScores[newIndex] = score;
        rankNames[newIndex] = kMarker;
        placed = true;
        break;
      }
    }
    if (!placed) module_.resultSaved = 1;
  }
  Label6.Visible = placed;
  Text1.Visible = placed;
}

void Form3::Text1_Change() {
  if (unloaded_ || !loaded_) return;
  namae[newIndex % kPlaces].Caption = Text1.Text;
}

void Form3::Text1_KeyPress(int KeyAscii) {
  if (KeyAscii == kEnterKey) Command1_Click();
}

void Form3::Command1_Click() {
  if (unloaded_) return;
  if (loaded_ && module_.totalScore != 0 && module_.resultSaved != 1) {
    rankNames[newIndex] = ToUtf32(Text1.Text);
    if (!WriteBack()) platform_.MsgBox(SaveFailedNotice());
  }
  Unload();
}

void Form3::Command2_Click() {
  if (unloaded_) return;
  MessageBoxSpec confirm{"確認", "成績一覧の名前と時間を消去しますか？", MessageIcon::Question,
                         MessageButtons::OkCancel, 1};
  if (platform_.MsgBox(confirm) == MessageAnswer::Ok && !Clear())
    platform_.MsgBox(ClearFailedNotice());
  Unload();
}

void Form3::CloseBox_Click() { Command1_Click(); }

void Form3::Discard() { unloaded_ = true; }

bool Form3::WriteBack() {
  if (readFailed_) return false;
  std::string records;
  for (int i = 0; i < kEntries; ++i) {
    module_.rankRecord.SetName(rankNames[i]);
    module_.rankRecord.score = rankScores[i];
    records += EncodeRecord(module_.rankRecord);
  }
  return StoreLeadingRecords(files_, resultsPath_, records);
}

bool Form3::Clear() {
  // All four lists: blanking only some of them would leave a list with an
  // empty first place above its old entries.
  std::string records;
  for (std::size_t i = 0; i < kClearedRecords; ++i) {
    module_.rankRecord.SetName(U"");
    module_.rankRecord.score = 0;
    records += EncodeRecord(module_.rankRecord);
  }
  return StoreLeadingRecords(files_, resultsPath_, records);
}

void Form3::Unload() {
  unloaded_ = true;
  host_.UnloadForm3();
}

}  // namespace tavri
