#include "shared/module1.h"

namespace tavri {

void RankRecord::SetName(std::u32string_view text) {
  name.assign(text.substr(0, kNameLength));
  name.resize(kNameLength, U' ');
}

}  // namespace tavri
