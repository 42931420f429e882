// Digits drawn as seven-segment display figures: lit segments are body
// pixels, unlit ones shade pixels, so a counter shows its dim ghost segments.
#pragma once

#include "tools/fontc/glyph_cell.h"

namespace fontc {

// Draws digit 0..9 with its top-left corner at (left, top), width x height.
void DrawSegmentDigit(GlyphCell& cell, int digit, int left, int top, int width, int height);

}  // namespace fontc
