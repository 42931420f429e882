// Dividing a landmass into cells of varied size with natural borders, each
// one piece, each with room for its digit around its centre.
#pragma once

#include <optional>
#include <vector>

#include "tools/islands/plane.h"
#include "tools/islands/random_stream.h"

namespace islands {

// The digit of a cell covers, whichever way the island is mirrored, the grid
// rows centre - 6 .. centre + 6 and columns centre - 7 .. centre + 6; one
// pixel more on every side keeps the border lines off it. These pixels
// always belong to the cell.
constexpr int kRoomAbove = 7;
constexpr int kRoomBelow = 7;
constexpr int kRoomLeft = 8;
constexpr int kRoomRight = 7;

// Island cells of the archive: the record holds 160 cells, one is the sea.
constexpr int kFewestCells = 40;
constexpr int kMostCells = kMaxIslandCells - 1;

struct CellMap {
  Plane<uint8_t> cells;         // cell number of each pixel, 0 for the sea
  std::vector<Pixel> centres;   // centre of cell d at [d - 1]
  int Count() const { return static_cast<int>(centres.size()); }
};

// Cells about `spacing` pixels apart; none when this draw gives too few or
// too many cells, or borders that cannot be made clear.
std::optional<CellMap> DivideIntoCells(const Mask& land, RandomStream& random, int spacing);

// Whether the digit room around `centre` lies wholly in cell `number`.
bool HasDigitRoom(const Plane<uint8_t>& cells, Pixel centre, int number);

}  // namespace islands
