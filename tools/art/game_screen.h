// The main game screen: the sea the islands are drawn on, the side panel
// with the menu and the two counters, the status bar, the three cell
// textures, the mark and the digits.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintGameScreen(Studio& studio);

}  // namespace art
