// The results window's behaviour: its controls as plain data, the tables of
// the results file, and every handler, named as the window's events are.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "results/core/file_system.h"
#include "shared/controls.h"
#include "shared/module1.h"
#include "shared/platform.h"

namespace tavri {

// What the results window asks of the front end.
class Form3Host {
 public:
  virtual ~Form3Host() = default;
  // Closes the window; a modal opening then returns to the game window.
  virtual void UnloadForm3() = 0;
};

class Form3 {
 public:
  // Fifteen lists of five, as the file holds; the four x ranges use 0..19.
  static constexpr int kEntries = 75;
  static constexpr int kPlaces = 5;
  static constexpr int kBestOfRun = 3;
  // Each further row of a list stands this many pixels below the one before.
  static constexpr int kRowStep = 30;

  Form3(Module1& module, Platform& platform, Form3Host& host, FileSystem& files,
        std::string resultsPath);

  // --- Controls, with their design-time state -------------------------------
  // The label arrays hold element 0 as designed; Form_Load adds the others.
  Label Label1{"成績一覧"};
  CommandButton Command2{"初期化"};
  Label Label4{"ｘの値"};
  Label enz0{"法"};
  std::vector<Label> jyun{Label{"１"}};
  std::vector<Label> namae{Label{"名前"}};
  std::vector<Label> jikan{Label{" 0"}};
  Line Line2;
  Line Line1;
  Label Label3{"あなたの記録"};
  std::vector<Label> jyun1{Label{"1"}};
  std::vector<Label> jikan1{Label{" 0"}};
  Label Label2{"今回の記録"};
  Label jikan9{"0"};
  Line Line3;
  Label Label6{"　１番です。名前を入力して下さい。"};
  TextBox Text1;
  CommandButton Command1{"戻る"};

  // --- The window's variables -------------------------------------------------
  // Entry i mirrors record i + 1 of the results file; x range r owns 5r..5r+4.
  std::array<std::int16_t, kEntries> rankScores{};
  std::array<std::u32string, kEntries> rankNames{};
  // The entry of the new score (5 * xRange + place - 1).
  std::int16_t newIndex = 0;

  // --- Handlers ---------------------------------------------------------------
  void Form_Load();
  void Text1_Change();
  void Text1_KeyPress(int KeyAscii);
  void Command1_Click();
  void Command2_Click();
  // The close box of the title bar: nothing typed is lost, so it does what
  // 戻る does.
  void CloseBox_Click();
  // Ends the window without running any handler and without storing: Exit,
  // or a game end that replaces a list opened for viewing.
  void Discard();

  bool Unloaded() const { return unloaded_; }

  // The marker that stands in the new entry until a name is typed.
  static const std::u32string kMarker;

 private:
  void ReadResultsFile();
  void PlaceNewScore();
  bool WriteBack();
  bool Clear();
  void Unload();
  int Range() const;

  Module1& module_;
  Platform& platform_;
  Form3Host& host_;
  FileSystem& files_;
  std::string resultsPath_;
  bool loaded_ = false;
  // A file that was there but could not be read is never overwritten with
  // the empty lists shown in its place.
  bool readFailed_ = false;
  bool unloaded_ = false;
};

// A stored name as the list shows it: the blanks (and zero bytes) that pad
// the field are dropped.
std::string DisplayName(std::u32string_view name);

}  // namespace tavri
