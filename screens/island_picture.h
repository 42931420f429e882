// The island picture of the main screen: where the 510 x 510 view lands on
// the screen and which view pixel the mouse points at, the picture rendered
// once per map into the screen's work surface, one cell repainted after it
// changed, and what the map layer adds on each frame (the hover hatch, the
// neighbour highlight, the marks).
#pragma once

#include <vector>

#include "game/island.h"
#include "graphics/display.h"
#include "graphics/pixelops.h"

// The pictures and colours the island is drawn with.
struct IslandArt {
  SurfaceRef fog;     // unexplored cells
  SurfaceRef normal;  // explored cells
  SurfaceRef cursed;  // radiated areas
  SurfaceRef sign;    // the mark, black transparent
  SurfaceRef digits[9];  // radiated neighbours 0..8, black transparent
  Pixel borderColour = 0;
  Pixel hatchColour = 0;
};

// Darkening of the coast shadow's two strengths and of the neighbour highlight.
constexpr int kDeepShadowDarkening = 40;
constexpr int kLightShadowDarkening = 24;
constexpr int kHighlightDarkening = 40;
// The mark's tint on a marked cell, per channel on the 8-bit scale.
constexpr int kMarkTintRed = 80;
constexpr int kMarkTintGreen = -16;
constexpr int kMarkTintBlue = -16;

// A pixel of the view grids, 1-based.
struct ViewPixel {
  int row = 0;
  int column = 0;
};

// The view pixel under a screen point; false unless the point lies strictly
// inside the picture's 510 x 510 square.
bool ViewPixelAtScreen(int x, int y, ViewPixel& pixel);
// The cell under a screen point (0 outside the picture).
int CellAtScreen(int x, int y);

// Copies the background, then paints every view pixel by its display code.
// Also notes where each cell lies in the view, for the calls below.
void RenderIslandPicture(Surface& work, Surface& background, const IslandArt& art);
// Paints one cell's pixels again from its state (tinted when marked), then
// its digit when it is explored and safe.
void RepaintIslandCell(Surface& work, const IslandArt& art, const TIsland& island, int cell);

// The frame's additions, drawn over a copy of the work surface.
void DrawHoverHatch(Surface& frame, const IslandArt& art, const TIsland& island);
void DarkenCells(Surface& frame, const std::vector<int>& cells);
void DrawMarks(Surface& frame, const IslandArt& art, const TIsland& island);

// The cells the neighbour highlight darkens for an explored cell: the cell
// and its neighbours that are unexplored or radiated.
std::vector<int> NeighbourHighlight(const TIsland& island, int cell);
