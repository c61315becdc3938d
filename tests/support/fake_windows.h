// Records what the game window asked of the other windows.
#pragma once

#include <functional>

#include "game/core/form1.h"

namespace tavri::test {

class FakeForm1Windows : public Form1Windows {
 public:
  void ShowResultsModal() override {
    ++resultsModal;
    if (onResultsModal) onResultsModal();
  }
  void ShowResultsModeless() override { ++resultsModeless; }
  void ShowHelp() override { ++help; }
  void EndProgram() override { ++ended; }

  // Runs while the modal results window is "open".
  std::function<void()> onResultsModal;
  int resultsModal = 0;
  int resultsModeless = 0;
  int help = 0;
  int ended = 0;
};

}  // namespace tavri::test
