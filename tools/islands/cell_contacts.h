// Which cells of an island touch. Cells that meet, even at a corner, are
// neighbours, as on the square grids; and every two neighbours share a
// stretch of border long enough to see, so the player never has to guess
// whether two cells touch.
#pragma once

#include <vector>

#include "tools/islands/cell_division.h"

namespace islands {

// Pixel edges two neighbouring cells share at least.
constexpr int kClearBorder = 4;

struct Contacts {
  int count = 0;
  // Pixel edges shared by cells a and b (1-based), and whether they meet at
  // all (sharing an edge or a corner).
  std::vector<int> border;
  std::vector<bool> touch;
  int Border(int a, int b) const { return border[a * (count + 1) + b]; }
  bool Touch(int a, int b) const { return touch[a * (count + 1) + b]; }
};

Contacts MeasureContacts(const Plane<uint8_t>& cells, int count);

// Neighbours of every cell, ascending, cell d at [d - 1].
std::vector<std::vector<int>> NeighbourLists(const Contacts& contacts);

// Parts cells that only brush each other by handing the pixels where they
// meet to a third cell. Fails when that cannot be done without splitting a
// cell or entering a digit's room.
bool ClarifyContacts(CellMap& map);

}  // namespace islands
