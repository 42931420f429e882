// The framed windows: message box, options, end-of-map dialogs and the
// new-record name entry. The game centres each window by its "size.inf"
// and draws its texts at fixed screen positions, so the painted insets sit
// under those positions.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintWindowedScreens(Studio& studio);

}  // namespace art
