// The title screen and its loading and key prompts.
#pragma once

#include <cstdint>

#include "tools/art/studio.h"

namespace art {

void PaintSplashScreen(Studio& studio);

// The dusk archipelago seen from the shore, filling the canvas.
void PaintDuskScene(Canvas& canvas, uint32_t seed);

}  // namespace art
