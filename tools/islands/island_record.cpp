#include "tools/islands/island_record.h"

#include <algorithm>
#include <cstring>

#include "game/solver.h"
#include "tools/islands/cell_contacts.h"

namespace islands {

namespace {

// The record holds 24 neighbours, but the hint solver reads a digit only
// while at most 10 of its neighbours are unexplored; islands keep to that so
// that the hint key can use every digit.
constexpr int kMostNeighbours = std::min(kMaxNeighbours, kConstraintMembers);

// Box of every cell, 1-based like the record, and whether it meets the sea.
struct Extent {
  int rowMin = kSide, rowMax = 0, colMin = kSide, colMax = 0;
  bool coastal = false;
};

std::vector<Extent> MeasureExtents(const Plane<uint8_t>& cells, int count) {
  std::vector<Extent> extents(count + 1);
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      int d = cells.at(r, c);
      if (d == 0) continue;
      Extent& e = extents[d];
      e.rowMin = std::min(e.rowMin, r + 1);
      e.rowMax = std::max(e.rowMax, r + 1);
      e.colMin = std::min(e.colMin, c + 1);
      e.colMax = std::max(e.colMax, c + 1);
      for (int k = 0; k < 4; ++k) {
        int rr = r + kStepRow[k], cc = c + kStepColumn[k];
        if (cells.Inside(rr, cc) && cells.at(rr, cc) == 0) e.coastal = true;
      }
    }
  }
  return extents;
}

void DescribeSea(TIslandCell& sea, int number) {
  sea.number = static_cast<uint16_t>(number);
  sea.isSea = 1;
  sea.rowMin = sea.colMin = 1;
  sea.rowMax = sea.colMax = kSide;
  sea.rowCentre = sea.colCentre = (kSide + 1) / 2;
}

}  // namespace

bool DescribeIsland(const CellMap& map, StoredIsland& stored) {
  int count = map.Count();
  int sea = count + 1;
  TIsland& island = stored.record;
  std::memset(&island, 0, sizeof island);
  island.cellCount = static_cast<uint16_t>(sea);
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      int d = map.cells.at(r, c);
      stored.grid.at(r, c) = static_cast<uint8_t>(d == 0 ? sea : d);
    }
  }
  std::vector<std::vector<int>> neighbours = NeighbourLists(MeasureContacts(map.cells, count));
  std::vector<Extent> extents = MeasureExtents(map.cells, count);
  for (int d = 1; d <= count; ++d) {
    if (neighbours[d - 1].size() > static_cast<size_t>(kMostNeighbours)) return false;
    TIslandCell& cell = island.Cell(d);
    cell.number = static_cast<uint16_t>(d);
    for (int n : neighbours[d - 1]) cell.AppendNeighbour(n);
    cell.isLand = 1;
    cell.isEdge = extents[d].coastal;
    cell.state = kStateUnexplored;
    cell.rowMin = extents[d].rowMin;
    cell.rowMax = extents[d].rowMax;
    cell.colMin = extents[d].colMin;
    cell.colMax = extents[d].colMax;
    cell.rowCentre = map.centres[d - 1].row + 1;
    cell.colCentre = map.centres[d - 1].column + 1;
  }
  DescribeSea(island.Cell(sea), sea);
  return true;
}

}  // namespace islands
