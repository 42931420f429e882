// Mouse pointers (hot spot at (16, 16), everything inside the top-left
// 48 x 48, black transparent), the window icon and the menu icon.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintPointers(Studio& studio);

}  // namespace art
