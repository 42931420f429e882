// The best-scores screen: the dusk archipelago behind a surveyor's log. The
// game writes the map name at y 25, the header at y 140, a rule at y 170
// and ten rows at y 180 ... 450 (names from x 275, times centred on 490).
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintScoresScreen(Studio& studio);

}  // namespace art
