// The map selection window: one button per map type with a small picture of
// that type, and the marker drawn over the chosen type's button.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintMapSelection(Studio& studio);

}  // namespace art
