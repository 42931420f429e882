// The archipelago: sea, the three cell textures (explored land, fog over the
// unexplored, glowing radiated ground) and island silhouettes for the
// painted scenes.
#pragma once

#include <cstdint>

#include "tools/art/canvas.h"

namespace art {

// Deep sea with slow swells filling the rectangle.
void PaintSea(Canvas& canvas, const Rect& rect, uint32_t seed);

// Square textures that tile without seams.
Canvas LandTexture(int size, uint32_t seed);
Canvas FogTexture(int size, uint32_t seed);
Canvas CursedTexture(int size, uint32_t seed);

// Land coverage of a noisy island shape centred at (cx, cy) with radii rx, ry.
Mask IslandMask(int width, int height, float cx, float cy, float rx, float ry, uint32_t seed);

// Paints an island through its mask: shallows, beach, sandy-green land with
// glowing radiated spots.
void PaintIsland(Canvas& canvas, const Mask& island, uint32_t seed, float glow);

}  // namespace art
