#include "results/core/form3.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "support/fake_file_system.h"
#include "support/fake_form3_host.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace tavri {
namespace {

using test::FakeFileSystem;
using test::FakeForm3Host;
using test::FakePlatform;

const std::string kMarker = "ここです！";
const std::string kPromptTail = "番です。名前を入力して下さい。";
const std::string kBlankName(10, ' ');

// One 12-byte record written out by hand: name bytes padded with blanks,
// score little-endian.
std::string Record(const std::string& nameBytes, std::int16_t score) {
  std::string bytes = nameBytes;
  bytes.resize(10, ' ');
  auto raw = static_cast<std::uint16_t>(score);
  bytes += static_cast<char>(raw & 0xFF);
  bytes += static_cast<char>(raw >> 8);
  return bytes;
}

std::string BlankRecords(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += Record("", 0);
  return bytes;
}

std::string RecordOf(const std::string& file, int number) {
  return file.substr(static_cast<std::size_t>(number - 1) * 12, 12);
}

std::vector<std::string> Captions(const std::vector<Label>& labels) {
  std::vector<std::string> captions;
  for (const Label& label : labels) captions.push_back(label.Caption);
  return captions;
}

class Form3Test : public ::testing::Test {
 protected:
  // The window as the game window opens it: at a game end with a score, or
  // from the menu with 0.
  Form3& Open(std::int16_t score) {
    module.totalScore = score;
    form = std::make_unique<Form3>(module, platform, host, files, path);
    form->Form_Load();
    return *form;
  }
  // Five stored places for x range `range`, best first.
  void StoreList(int range, const std::vector<std::pair<std::string, std::int16_t>>& places) {
    std::string bytes = BlankRecords(5 * range);
    for (const auto& [name, score] : places) bytes += Record(name, score);
    files.files[path] = bytes;
  }
  std::string& Stored() { return files.files.at(path); }

  Module1 module;
  FakePlatform platform;
  FakeForm3Host host;
  FakeFileSystem files;
  const std::string path = "tavri.rnk";
  std::unique_ptr<Form3> form;
};

TEST_F(Form3Test, FirstGameOnAnEmptyFileTakesPlaceOne) {
  Form3& f = Open(30);
  EXPECT_EQ(Stored(), "");  // created empty at the opening
  EXPECT_EQ(Captions(f.jyun), (std::vector<std::string>{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(Captions(f.namae), (std::vector<std::string>{kMarker, "", "", "", ""}));
  EXPECT_EQ(Captions(f.jikan), (std::vector<std::string>{"30", "0", "0", "0", "0"}));
  EXPECT_EQ(Captions(f.jyun1), (std::vector<std::string>{"1", " 2", " 3"}));
  EXPECT_EQ(Captions(f.jikan1), (std::vector<std::string>{"30", "0", "0"}));
  EXPECT_EQ(f.jikan9.Caption, " 30");
  EXPECT_EQ(f.enz0.Caption, "－２～２");
  EXPECT_EQ(f.Label6.Caption, " 1" + kPromptTail);
  EXPECT_TRUE(f.Label6.Visible);
  EXPECT_TRUE(f.Text1.Visible);
  EXPECT_EQ(module.resultSaved, 0);
}

TEST_F(Form3Test, AScoreEqualToPlaceThreeGoesAboveIt) {
  module.xRange = 1;
  StoreList(1, {{"A", 50}, {"B", 40}, {"C", 30}, {"D", 20}, {"E", 10}});
  Form3& f = Open(30);
  EXPECT_EQ(f.newIndex, 7);
  EXPECT_EQ(Captions(f.namae), (std::vector<std::string>{"A", "B", kMarker, "C", "D"}));
  EXPECT_EQ(Captions(f.jikan), (std::vector<std::string>{"50", "40", "30", "30", "20"}));
  EXPECT_EQ(f.Label6.Caption, " 3" + kPromptTail);
  EXPECT_EQ(f.enz0.Caption, "１～５");
  // The other ranges' entries do not move.
  EXPECT_EQ(f.rankScores[4], 0);
  EXPECT_EQ(f.rankScores[10], 0);
}

TEST_F(Form3Test, AScoreBelowAllFiveFindsNoPlaceButEntersTheBestThree) {
  StoreList(0, {{"A", 50}, {"B", 40}, {"C", 30}, {"D", 20}, {"E", 10}});
  module.bestScores[0] = {12, 8, 0};
  Form3& f = Open(9);
  EXPECT_EQ(Captions(f.namae), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_FALSE(f.Label6.Visible);
  EXPECT_FALSE(f.Text1.Visible);
  EXPECT_EQ(module.resultSaved, 1);
  EXPECT_EQ(Captions(f.jikan1), (std::vector<std::string>{"12", "9", "8"}));

  // 戻る stores nothing for a score without a place.
  const std::string before = Stored();
  f.Command1_Click();
  EXPECT_EQ(Stored(), before);
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(host.unloads, 1);
}

TEST_F(Form3Test, ZeroScoreAndTheMenuOpeningPlaceNothing) {
  StoreList(0, {{"A", 50}, {"B", 40}, {"C", 30}, {"D", 20}, {"E", 10}});
  // A game that scored and stored nothing yet; then the list from the menu.
  Form3& first = Open(45);
  first.Discard();
  Form3& f = Open(0);
  EXPECT_EQ(f.jikan9.Caption, " 0");
  EXPECT_EQ(Captions(f.namae), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  EXPECT_EQ(Captions(f.jikan1), (std::vector<std::string>{"45", "0", "0"}));
  EXPECT_FALSE(f.Text1.Visible);
  EXPECT_EQ(module.resultSaved, 0);
  f.Command1_Click();
  EXPECT_EQ(files.writes, 0);
}

TEST_F(Form3Test, AfterAScoreWasFoundShortNothingIsPlacedAgain) {
  module.resultSaved = 1;
  Form3& f = Open(40);
  EXPECT_EQ(f.namae[0].Caption, "");
  EXPECT_EQ(module.bestScores[0][0], 0);
  EXPECT_FALSE(f.Text1.Visible);
}

TEST_F(Form3Test, ANegativeStoredScoreRanksBelowAGameScore) {
  StoreList(0, {{"NEG", -4}});
  Form3& f = Open(1);
  EXPECT_EQ(Captions(f.jikan), (std::vector<std::string>{"1", "-4", "0", "0", "0"}));
  EXPECT_EQ(f.namae[1].Caption, "NEG");
}

TEST_F(Form3Test, BestThreeOfTheRunKeepsTheNewestOfEqualScoresFirst) {
  for (std::int16_t score : {20, 30, 25, 25, 10}) {
    Open(score).Discard();
    module.resultSaved = 0;
  }
  EXPECT_EQ(module.bestScores[0], (std::array<std::int16_t, 3>{30, 25, 25}));
  EXPECT_EQ(module.bestScores[1], (std::array<std::int16_t, 3>{0, 0, 0}));
}

TEST_F(Form3Test, TypingShowsAtOnceAndBackStoresTheCutName) {
  Form3& f = Open(30);
  f.Text1.Text = "ABCDEFGHIJKL";
  f.Text1_Change();
  EXPECT_EQ(f.namae[0].Caption, "ABCDEFGHIJKL");
  EXPECT_EQ(f.rankNames[0], Form3::kMarker);
  f.Text1_KeyPress('A');
  EXPECT_EQ(host.unloads, 0);
  f.Text1_KeyPress(13);
  EXPECT_EQ(host.unloads, 1);
  EXPECT_EQ(Stored().size(), 900u);
  EXPECT_EQ(RecordOf(Stored(), 1), Record("ABCDEFGHIJ", 30));
  for (int n = 2; n <= 75; ++n) EXPECT_EQ(RecordOf(Stored(), n), Record("", 0)) << n;
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(Form3Test, BackWithoutTypingStoresAnEmptyName) {
  Open(30).Command1_Click();
  EXPECT_EQ(RecordOf(Stored(), 1), Record("", 30));
}

TEST_F(Form3Test, TheCloseBoxStoresLikeBackAndHandlersEndWithTheWindow) {
  Form3& f = Open(30);
  f.Text1.Text = "ABC";
  f.CloseBox_Click();
  EXPECT_EQ(RecordOf(Stored(), 1), Record("ABC", 30));
  f.Command1_Click();
  f.Command2_Click();
  EXPECT_EQ(host.unloads, 1);
  EXPECT_EQ(files.writes, 1);
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(Form3Test, DiscardedWindowStoresNothing) {
  Form3& f = Open(30);
  f.Text1.Text = "ABC";
  f.Discard();
  f.Text1_KeyPress(13);
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(host.unloads, 0);
}

TEST_F(Form3Test, ResetAsksAndOnOkBlanksTheFourListsOnly) {
  std::string file;
  for (int i = 1; i <= 21; ++i) file += Record("N" + std::to_string(i), static_cast<std::int16_t>(i));
  file += "tail";
  files.files[path] = file;
  module.xRange = 3;
  Form3& f = Open(50);
  platform.answers = {MessageAnswer::Ok};
  f.Command2_Click();

  ASSERT_EQ(platform.boxes.size(), 1u);
  const MessageBoxSpec& box = platform.boxes[0];
  EXPECT_EQ(box.title, "確認");
  EXPECT_EQ(box.text, "成績一覧の名前と時間を消去しますか？");
  EXPECT_EQ(box.icon, MessageIcon::Question);
  EXPECT_EQ(box.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(box.defaultButton, 1);

  EXPECT_EQ(Stored(), BlankRecords(20) + RecordOf(file, 21) + "tail");
  EXPECT_EQ(host.unloads, 1);
  // The tables and the best three of the run stay as they were.
  EXPECT_EQ(f.rankNames[15], Form3::kMarker);
  EXPECT_EQ(module.bestScores[3][0], 50);
}

TEST_F(Form3Test, ResetCancelledWritesNothingAndStillCloses) {
  files.files[path] = Record("A", 5);
  Form3& f = Open(30);
  platform.answers = {MessageAnswer::Cancel};
  f.Command2_Click();
  EXPECT_EQ(Stored(), Record("A", 5));
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(host.unloads, 1);
}

TEST_F(Form3Test, ASaveThatFailsIsToldAndLosesNothing) {
  files.files[path] = Record("OLD", 40);
  files.renameFails = true;
  Open(30).Command1_Click();
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(platform.boxes[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(platform.boxes[0].text.empty());
  EXPECT_EQ(Stored(), Record("OLD", 40));
  EXPECT_EQ(host.unloads, 1);
}

TEST_F(Form3Test, AFileThatCouldNotBeReadIsNeverOverwritten) {
  files.files[path] = Record("KEEP", 50);
  files.unreadable.insert(path);
  Form3& f = Open(30);
  EXPECT_EQ(f.namae[0].Caption, kMarker);  // shows what could be read: nothing
  files.unreadable.clear();                // readable again by the time of the save
  f.Command1_Click();
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(Stored(), Record("KEEP", 50));
  EXPECT_EQ(platform.boxes.size(), 1u);
}

TEST_F(Form3Test, AResetThatFailsIsTold) {
  files.folders.insert(path);
  Form3& f = Open(0);
  platform.answers = {MessageAnswer::Ok};
  f.Command2_Click();
  ASSERT_EQ(platform.boxes.size(), 2u);
  EXPECT_EQ(platform.boxes[1].icon, MessageIcon::Exclamation);
  EXPECT_EQ(host.unloads, 1);
}

TEST_F(Form3Test, ShortFilesAndStrayBytesLoadWithoutHarm) {
  files.files[path] = Record("\x82\xBD\x82\xEB\x82\xA4", 7) + "\x81\x60\xFF" "AB";
  Form3& f = Open(0);
  EXPECT_EQ(f.namae[0].Caption, "たろう");
  EXPECT_EQ(f.namae[1].Caption, "～\uFFFDAB");
  EXPECT_EQ(f.jikan[1].Caption, "0");
  EXPECT_EQ(f.namae[2].Caption, "");
}

// The whole way on the real disk: a first game, the name stored, the
// program started again with fresh state, the list read back.
TEST(Form3OnDisk, StoredNameSurvivesARestart) {
  test::TempFolder folder;
  SystemFileSystem files;
  const std::string path = folder / "tavri.rnk";
  FakePlatform platform;
  FakeForm3Host host;
  {
    Module1 module;
    module.totalScore = 30;
    Form3 f(module, platform, host, files, path);
    f.Form_Load();
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "tavri.rnk"), 0u);
    f.Text1.Text = "たろう";
    f.Text1_Change();
    f.Command1_Click();
  }
  std::string bytes = test::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 900u);
  EXPECT_EQ(bytes.substr(0, 12), Record("\x82\xBD\x82\xEB\x82\xA4", 30));
  {
    Module1 module;
    Form3 f(module, platform, host, files, path);
    f.Form_Load();
    EXPECT_EQ(f.namae[0].Caption, "たろう");
    EXPECT_EQ(f.jikan[0].Caption, "30");
    EXPECT_EQ(Captions(f.jikan1), (std::vector<std::string>{"0", "0", "0"}));
  }
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(Form3OnDisk, AFolderWhereTheFileShouldBeGivesTheNotice) {
  test::TempFolder folder;
  SystemFileSystem files;
  std::filesystem::create_directories(folder.path() / "tavri.rnk" / "kept");
  FakePlatform platform;
  FakeForm3Host host;
  Module1 module;
  module.totalScore = 30;
  Form3 f(module, platform, host, files, folder / "tavri.rnk");
  f.Form_Load();
  f.Command1_Click();
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "tavri.rnk" / "kept"));
  EXPECT_EQ(host.unloads, 1);
}

}  // namespace
}  // namespace tavri
