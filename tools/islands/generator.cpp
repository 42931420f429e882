#include "tools/islands/generator.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

#include "game/grids.h"
#include "tools/islands/archive_files.h"
#include "tools/islands/cell_contacts.h"
#include "tools/islands/landmass.h"
#include "tools/islands/radiated_layout.h"

namespace islands {

namespace {

// Land area and spacing of cell centres of an island, drawn per island.
constexpr int kSmallestArea = 21000;
constexpr int kLargestArea = 32000;
constexpr int kNarrowestSpacing = 13;
constexpr int kWidestSpacing = 21;
// Placements tried on one island before the island itself is drawn anew.
constexpr int kPlacementsPerIsland = 400;
// Placements tried for one layout of a generated type.
constexpr int kPlacementsPerLayout = 1000000;

MapKind KindOf(int mapType) {
  return {kRadiatedAreasByType[mapType], kSolverOpeningsByType[mapType]};
}

void Record(MapTypeSummary& summary, const TIsland& island, const LayoutReport& report) {
  if (summary.askHintKey) summary.hintSolved += HintKeyFinishes(island, KindOf(summary.mapType));
  int land = 0;
  for (int d = 1; d <= island.LastCell(); ++d) {
    const TIslandCell& cell = island.Cell(d);
    if (cell.isSea) continue;
    ++land;
    summary.neighbours.push_back(cell.neighbourCount);
  }
  summary.landCells.push_back(land);
  summary.openedAtStart.push_back(report.openedAtStart);
  summary.rounds.push_back(report.rounds);
  summary.placements += report.attempts;
}

// One island's shape and cells; nothing when this draw does not make one.
std::optional<StoredIsland> DrawIsland(RandomStream& random) {
  Mask land = MakeLandmass(random, random.Between(kSmallestArea, kLargestArea));
  if (CountSet(land) == 0) return std::nullopt;
  std::optional<CellMap> map = DivideIntoCells(land, random, random.Between(kNarrowestSpacing, kWidestSpacing));
  if (!map || !ClarifyContacts(*map)) return std::nullopt;
  StoredIsland stored;
  if (!DescribeIsland(*map, stored)) return std::nullopt;
  return stored;
}

}  // namespace

void BuildGeneratedGrid(int mapType, TIsland& island) {
  std::memset(&island, 0, sizeof island);
  if (mapType == 4) {
    BuildRoundedGrid(island);
  } else {
    BuildSquareGrid(island);
  }
}

StoredIsland MakeIsland(uint64_t seed, int index, MapTypeSummary& summary) {
  summary.mapType = 1;
  MapKind kind = KindOf(1);
  RandomStream random = RandomStream(seed).Fork(static_cast<uint64_t>(index));
  for (;;) {
    std::optional<StoredIsland> stored = DrawIsland(random);
    std::optional<LayoutReport> report;
    if (stored) report = PlaceRadiatedAreas(stored->record, kind, random, kPlacementsPerIsland);
    if (report) {
      Record(summary, stored->record, *report);
      return std::move(*stored);
    }
    ++summary.islandRedraws;
  }
}

std::vector<StoredIsland> MakeIslands(uint64_t seed, MapTypeSummary& summary) {
  std::vector<StoredIsland> islands;
  for (int k = 0; k < kMapsPerFile; ++k) islands.push_back(MakeIsland(seed, k, summary));
  return islands;
}

std::vector<uint8_t> MakeLayout(int mapType, uint64_t seed, int index, MapTypeSummary& summary) {
  summary.mapType = mapType;
  RandomStream random = RandomStream(seed).Fork(static_cast<uint64_t>(mapType) * 1000 + index);
  static TIsland island;
  BuildGeneratedGrid(mapType, island);
  std::optional<LayoutReport> report = PlaceRadiatedAreas(island, KindOf(mapType), random, kPlacementsPerLayout);
  if (!report) {
    throw std::runtime_error("no layout without guessing for map type " + std::to_string(mapType));
  }
  Record(summary, island, *report);
  return LayoutRecord(island);
}

std::vector<uint8_t> MakeLayoutFile(int mapType, uint64_t seed, MapTypeSummary& summary) {
  std::vector<uint8_t> file;
  for (int k = 0; k < kMapsPerFile; ++k) {
    std::vector<uint8_t> record = MakeLayout(mapType, seed, k, summary);
    file.insert(file.end(), record.begin(), record.end());
  }
  return file;
}

}  // namespace islands
