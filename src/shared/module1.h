// The program-wide state that the game window and the results window share.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavri {

// One record of the results file. The name is a text of ten characters in
// memory; its 10-byte code-page form on disk is the results file's business.
struct RankRecord {
  static constexpr std::size_t kNameLength = 10;
  std::u32string name = std::u32string(kNameLength, U' ');
  std::int16_t score = 0;

  // Assigning pads a shorter text with blanks and cuts a longer one, so the
  // name is always exactly ten characters.
  void SetName(std::u32string_view text);
};

// The x ranges, in the order of their codes, and their display names.
inline constexpr int kRangeCount = 4;
inline const std::array<std::string, kRangeCount> kRangeNames{"－２～２", "１～５", "－５～－１",
                                                              "ランダム"};

// Lives for the whole run: created once by the program and handed to the
// windows that share it.
struct Module1 {
  std::int16_t totalScore = 0;   // the finished game's score; 0 = none to place
  std::int16_t resultSaved = 0;  // 1 once a score was found not to reach the best five
  std::int16_t xRange = 0;       // 0..3
  // The best three of this run per x range (16 slots as designed; 0..3 used).
  std::array<std::array<std::int16_t, 3>, 16> bestScores{};
  RankRecord rankRecord;
};

}  // namespace tavri
