#include "game/grids.h"

#include <cstring>

namespace {

constexpr int kSquareSide = 8;
constexpr int kSquarePixels = 24;
constexpr int kRoundedSide = 13;
constexpr int kRoundedPixels = 18;

// First and last mask column of each rounded-grid row.
constexpr int kRoundedFirstColumn[kRoundedSide + 1] = {0, 3, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 3};
// Number of the cell above mask row 1 in each column.
constexpr int kRoundedColumnBase[kRoundedSide + 1] = {0,  -2, 8,  20,  33,  46,  59,
                                                      72, 85, 98, 111, 124, 136, 146};

// Neighbour positions in list order: up, down, left, right, up-left,
// down-left, up-right, down-right.
constexpr int kNeighbourRowStep[8] = {-1, 1, 0, 0, -1, 1, -1, 1};
constexpr int kNeighbourColumnStep[8] = {0, 0, -1, 1, -1, -1, 1, 1};

int SquareCellNumber(int row, int column) {
  if (row < 1 || row > kSquareSide || column < 1 || column > kSquareSide) return 0;
  return (column - 1) * kSquareSide + row;
}

void StartGrid(TIsland& island, int cellCount) {
  std::memset(CellGrid, cellCount, sizeof CellGrid);
  island.cellCount = static_cast<uint16_t>(cellCount);
  island.Cell(cellCount).isSea = 1;
}

// Paints one land cell of side `pixels` whose box starts `offset` pixels
// before its grid position's far edge, and gives it its neighbours.
template <typename NumberAt>
void AddGridCell(TIsland& island, int row, int column, int pixels, int offset, NumberAt numberAt) {
  int number = numberAt(row, column);
  TIslandCell& cell = island.Cell(number);
  cell.rowMin = pixels * row - offset;
  cell.rowMax = cell.rowMin + pixels - 1;
  cell.colMin = pixels * column - offset;
  cell.colMax = cell.colMin + pixels - 1;
  cell.rowCentre = cell.rowMin + pixels / 2;
  cell.colCentre = cell.colMin + pixels / 2;
  for (int r = cell.rowMin; r <= cell.rowMax; ++r) {
    std::memset(&CellGrid[r - 1][cell.colMin - 1], number, pixels);
  }
  cell.isLand = 1;
  cell.state = kStateUnexplored;
  cell.number = static_cast<uint16_t>(number);
  for (int k = 0; k < 8; ++k) {
    int neighbour = numberAt(row + kNeighbourRowStep[k], column + kNeighbourColumnStep[k]);
    if (neighbour == 0) {
      cell.isEdge = 1;
    } else {
      cell.AppendNeighbour(neighbour);
    }
  }
}

}  // namespace

int RoundedCellNumber(int maskRow, int maskColumn) {
  if (maskRow < 1 || maskRow > kRoundedSide) return 0;
  int first = kRoundedFirstColumn[maskRow];
  if (maskColumn < first || maskColumn > kRoundedSide + 1 - first) return 0;
  return kRoundedColumnBase[maskColumn] + maskRow;
}

void BuildSquareGrid(TIsland& island) {
  StartGrid(island, kSquareCells);
  for (int row = 1; row <= kSquareSide; ++row) {
    for (int column = 1; column <= kSquareSide; ++column) {
      AddGridCell(island, row, column, kSquarePixels, 19, SquareCellNumber);
    }
  }
}

void BuildRoundedGrid(TIsland& island) {
  StartGrid(island, kRoundedCells);
  for (int row = 1; row <= kRoundedSide; ++row) {
    for (int column = kRoundedFirstColumn[row]; column <= kRoundedSide + 1 - kRoundedFirstColumn[row];
         ++column) {
      AddGridCell(island, row, column, kRoundedPixels, 15, RoundedCellNumber);
    }
  }
}
