// Records that the results window asked to be closed.
#pragma once

#include "results/core/form3.h"

namespace tavri::test {

class FakeForm3Host : public Form3Host {
 public:
  void UnloadForm3() override { ++unloads; }
  int unloads = 0;
};

}  // namespace tavri::test
