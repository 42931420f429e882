// The archive's record of an irregular island, made from its cells: cell
// numbers, neighbours, boxes, digit centres and the sea, ready for its
// radiated areas.
#pragma once

#include "game/island.h"
#include "tools/islands/cell_division.h"

namespace islands {

struct StoredIsland {
  TIsland record;
  Plane<uint8_t> grid;  // the island's CellGrid: cell numbers, the sea's included
};

// Fills `stored` from the cells; false when a cell has more neighbours than
// the hint solver can weigh (10; the record would hold 24).
bool DescribeIsland(const CellMap& map, StoredIsland& stored);

}  // namespace islands
