// Making every map the game ships: 128 irregular islands for the original
// map type and 128 layouts for each generated type, every one solvable by
// deduction from what the game opens.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/islands/island_record.h"

namespace islands {

constexpr int kMapsPerFile = 128;

// What came out for one map type, for the generator's summary.
struct MapTypeSummary {
  int mapType = 0;
  std::vector<int> landCells;      // per map
  std::vector<int> neighbours;     // per land cell of every map
  std::vector<int> openedAtStart;  // per map: cells the game opens by itself
  std::vector<int> rounds;         // per map: rounds of deduction after that
  int hintSolved = 0;              // maps the hint key alone finishes
  int64_t placements = 0;          // placements of radiated areas drawn
  int islandRedraws = 0;           // islands drawn anew (original maps)
};

std::vector<StoredIsland> MakeIslands(uint64_t seed, MapTypeSummary& summary);

// The layout file of map type 2, 3 or 4: 128 records.
std::vector<uint8_t> MakeLayoutFile(int mapType, uint64_t seed, MapTypeSummary& summary);

// The record of map type 2, 3 or 4 before a layout is applied, as the game
// builds it.
void BuildGeneratedGrid(int mapType, TIsland& island);

}  // namespace islands
