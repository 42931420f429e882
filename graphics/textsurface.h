// The surface-level text calls: bitmap text into a locked surface, and text
// in the platform's own fonts.
#pragma once

#include <string_view>

#include "graphics/display.h"

// Locks the surface, selects the font and draws the text (centred or from x).
void DrawTextOnSurface(Surface& surface, int x, int y, bool centred, std::string_view text, int font);

// Text in the platform's fonts: face FaceName, weight FontWeight, colour
// DrawColour, opaque on TextBackColour unless it is 0; laid out in the
// rectangle x - 400 .. x + 400 (centred) or x .. x + 800, y .. y + 150.
void DrawPlatformText(Surface& surface, int x, int y, bool centred, std::string_view text, int height);
