// Making every map the game ships: 128 irregular islands for the original
// map type and 128 layouts for each generated type, every one solvable by
// deduction from what the game opens.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/islands/island_record.h"

namespace islands {

constexpr int kMapsPerFile = 128;

// The seed of the shipped files.
constexpr uint64_t kShippedSeed = 0x5EA1A7D5;

// What came out for one map type, for the generator's summary.
struct MapTypeSummary {
  bool askHintKey = false;         // also try the hint key on every map (slow)
  int mapType = 0;
  std::vector<int> landCells;      // per map
  std::vector<int> neighbours;     // per land cell of every map
  std::vector<int> openedAtStart;  // per map: cells the game opens by itself
  std::vector<int> rounds;         // per map: rounds of deduction after that
  int hintSolved = 0;              // maps the hint key alone finishes
  int64_t placements = 0;          // placements of radiated areas drawn
  int islandRedraws = 0;           // islands drawn anew (original maps)
};

// Island `index` of the archive; each island draws from its own stream.
StoredIsland MakeIsland(uint64_t seed, int index, MapTypeSummary& summary);
std::vector<StoredIsland> MakeIslands(uint64_t seed, MapTypeSummary& summary);

// Record `index` of the layout file of map type 2, 3 or 4, and the whole
// file of 128 records.
std::vector<uint8_t> MakeLayout(int mapType, uint64_t seed, int index, MapTypeSummary& summary);
std::vector<uint8_t> MakeLayoutFile(int mapType, uint64_t seed, MapTypeSummary& summary);

// The record of map type 2, 3 or 4 before a layout is applied, as the game
// builds it.
void BuildGeneratedGrid(int mapType, TIsland& island);

}  // namespace islands
