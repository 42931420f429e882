// The regular islands of the generated map types: an 8 x 8 square grid and
// a 13 x 13 rounded grid, built into the island record and CellGrid.
#pragma once

#include "game/island.h"

constexpr int kSquareCells = 65;   // 64 squares and the sea
constexpr int kRoundedCells = 158; // 157 land cells and the sea

void BuildSquareGrid(TIsland& island);
void BuildRoundedGrid(TIsland& island);

// The rounded grid's cell at mask row and column (1..13), 0 outside the mask.
int RoundedCellNumber(int maskRow, int maskColumn);
