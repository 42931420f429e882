// The help page: the rules written out from the help text of the content
// folder ("# " starts a heading, blank lines separate paragraphs), with
// the pictures the player meets on the map.
#pragma once

#include "tools/art/studio.h"

namespace art {

void PaintHelpScreen(Studio& studio);

}  // namespace art
