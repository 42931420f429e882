// Threshold dissolves: on each pass every pixel whose switch time in WorkMap
// has come takes its new value on the visible surface; with the single passes
// over pixel memory (for tests and benchmarks).
#pragma once

#include <cstdint>

#include "graphics/transition.h"

// The dissolve with the switch times in WorkMap (edge variant when
// EdgeColour is not -1).
void RunDissolve(int duration);

// Copies every new pixel whose switch time is not above `limit` and marks it
// switched in the map.
void DissolvePass(const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap, int limit);
// The same, and paints `edgeColour` on pixels not yet written whose switch
// time is below limit + edgeWidth and whose old and new values differ.
void EdgeDissolvePass(const PixelPlane& oldScreen, const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap,
                      uint8_t* written, int limit, uint16_t edgeColour, int edgeWidth);
