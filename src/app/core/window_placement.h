// Where a window opens: the game window in the middle of its screen's work
// area, every other window over the middle of the game window, and each
// kept inside the work area, so that no title bar opens off the screen.
#pragma once

#include <optional>

#include "app/core/front_end.h"

namespace tavri {

// The top-left corner of a window of `size` centred on `around` (the work
// area itself when nothing is given) and then moved inside `workArea`; a
// window larger than the work area keeps its top-left corner inside it.
PixelPoint PlaceWindow(PixelSize size, const std::optional<PixelRect>& around,
                       const PixelRect& workArea);

}  // namespace tavri
