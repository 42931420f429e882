// The effects behind PlayTransition, and their single passes over pixel
// memory (for tests and benchmarks).
#pragma once

#include <cstdint>

struct PixelPlane {
  uint16_t* pixels;
  int pitchPixels;
};

struct ScreenArea {
  int x = 0;
  int y = 0;
  int width = 800;
  int height = 600;
};

// Progress of an effect on a scale: (now - start) x scale div duration; a
// duration of 0 or below is finished at once.
int64_t TransitionProgress(uint32_t start, int duration, int scale);

// The dissolve with the switch times in WorkMap (edge variant when
// EdgeColour is not -1).
void RunDissolve(int duration);
void RunCombSlide(int duration);
void RunWindowDropIn(int duration, const ScreenArea& area);
void RunWindowSlideOut(int duration, const ScreenArea& area);

// Where the dropping window's top edge is at progress q (0..100).
int DropInTop(int64_t q, const ScreenArea& area);

// Copies every new pixel whose switch time is not above `limit` and marks it
// switched in the map.
void DissolvePass(const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap, int limit);
// The same, and paints `edgeColour` on pixels not yet written whose switch
// time is below limit + edgeWidth and whose old and new values differ.
void EdgeDissolvePass(const PixelPlane& oldScreen, const PixelPlane& newScreen, PixelPlane& screen, uint8_t* workMap,
                      uint8_t* written, int limit, uint16_t edgeColour, int edgeWidth);
// The comb's accelerating curve through (25, 10), (50, 30), (75, 60), (100, 100).
int CombCurve(int m);
// Columns 0 .. extent of each row slide in: rows 4g and 4g + 1 from the left
// (the new row's right end), rows 4g + 2 and 4g + 3 from the right.
void CombPass(const PixelPlane& newScreen, PixelPlane& screen, int extent);
