// The moving transitions: the comb slide, and the window that drops in from
// the top or slides out at the bottom; with their single passes over pixel
// memory (for tests and benchmarks).
#pragma once

#include <cstdint>

#include "graphics/transition.h"

void RunCombSlide(int duration);
void RunWindowDropIn(int duration, const ScreenArea& area);
void RunWindowSlideOut(int duration, const ScreenArea& area);

// Where the dropping window's top edge is at progress q (0..100).
int DropInTop(int64_t q, const ScreenArea& area);

// The comb's accelerating curve through (25, 10), (50, 30), (75, 60), (100, 100).
int CombCurve(int m);
// Columns 0 .. extent of each row slide in: rows 4g and 4g + 1 from the left
// (the new row's right end), rows 4g + 2 and 4g + 3 from the right.
void CombPass(const PixelPlane& newScreen, PixelPlane& screen, int extent);
