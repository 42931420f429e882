// From the island's 255 x 255 picture of cell numbers to the doubled,
// smoothed 510 x 510 picture the main screen draws, and its place on the
// screen. Grids are indexed [row - 1][column - 1].
#pragma once

#include <cstdint>

#include "game/island.h"

constexpr int kViewSize = 2 * kGridSize;  // 510

// Display codes of the view besides cell states.
constexpr uint8_t kCodeBorderLine = 16;
constexpr uint8_t kCodeCoastShadow = 17;

extern uint8_t BorderMask[kGridSize][kGridSize];
extern uint8_t ViewCellGrid[kViewSize][kViewSize];
extern uint8_t ViewStateGrid[kViewSize][kViewSize];
extern int32_t OffsetX;  // screen column of view column 0
extern int32_t OffsetY;  // screen row of view row 1

void BuildBorderMask();
// The six passes: doubling, majority of nine, majority of five, border
// lines, conversion to display codes, coast shadow.
void BuildView(const TIsland& island);
void CentreView();
// Replaces every code below 16 by the state of the pixel's cell.
void RefreshView(const TIsland& island);
