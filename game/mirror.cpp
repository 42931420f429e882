#include "game/mirror.h"

#include <algorithm>

#include "platform/random.h"

void MirrorTopToBottom(TIsland& island) {
  for (int i = 1; i <= 127; ++i) {
    std::swap_ranges(CellGrid[i - 1], CellGrid[i - 1] + kGridSize, CellGrid[256 - i - 1]);
  }
  for (int d = 1; d <= island.LastCell(); ++d) {
    TIslandCell& cell = island.Cell(d);
    int32_t oldMin = cell.rowMin;
    cell.rowMin = 256 - cell.rowMax;
    cell.rowMax = 256 - oldMin;
    cell.rowCentre = 256 - cell.rowCentre;
  }
}

void MirrorLeftToRight(TIsland& island) {
  for (auto& row : CellGrid) {
    for (int i = 1; i <= 127; ++i) std::swap(row[i - 1], row[256 - i - 1]);
  }
  for (int d = 1; d <= island.LastCell(); ++d) {
    TIslandCell& cell = island.Cell(d);
    int32_t oldMin = cell.colMin;
    cell.colMin = 256 - cell.colMax;
    cell.colMax = 256 - oldMin;
    // The digit of a cell sits one column further right once mirrored.
    cell.colCentre = 257 - cell.colCentre;
  }
}

void MirrorIslandRandomly(TIsland& island) {
  if (platform::Random(2) == 0) MirrorTopToBottom(island);
  if (platform::Random(2) == 0) MirrorLeftToRight(island);
}
