#include "tools/islands/radiated_layout.h"

#include <cstring>
#include <vector>

#include "game/island_files.h"
#include "tools/islands/map_play.h"

namespace islands {

namespace {

// The game may open at most this share of the safe cells by itself, so that
// every map leaves the player most of the work.
constexpr int kMostOpenedPercent = 50;

std::vector<int> LandCells(const TIsland& island) {
  std::vector<int> land;
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (island.Cell(d).isLand && !island.Cell(d).isSea) land.push_back(d);
  }
  return land;
}

// One random placement; the start is a random cell without radiated
// neighbours, 0 when there is none.
int DrawPlacement(TIsland& island, const std::vector<int>& land, int radiatedAreas,
                  RandomStream& random) {
  std::vector<int> shuffled = land;
  random.Shuffle(shuffled);
  for (int d : land) island.Cell(d).isRadiated = 0;
  for (int i = 0; i < radiatedAreas; ++i) island.Cell(shuffled[i]).isRadiated = 1;
  CountRadiatedNeighbours(island);
  std::vector<int> quiet;
  for (int d : land) {
    if (!island.Cell(d).isRadiated && island.Cell(d).radiatedNeighbours == 0) quiet.push_back(d);
  }
  island.accountedRadiated = quiet.empty() ? 0 : quiet[random.Below(static_cast<int>(quiet.size()))];
  return island.accountedRadiated;
}

}  // namespace

bool HintKeyFinishes(const TIsland& island, const MapKind& kind) {
  RadiatedTotal = kind.radiatedAreas;
  std::memcpy(&Island, &island, sizeof Island);
  return HintKeySolves(kind.solverOpenings);
}

std::optional<LayoutReport> PlaceRadiatedAreas(TIsland& island, const MapKind& kind,
                                               RandomStream& random, int attempts) {
  std::vector<int> land = LandCells(island);
  if (static_cast<int>(land.size()) <= kind.radiatedAreas) return std::nullopt;
  RadiatedTotal = kind.radiatedAreas;
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    if (DrawPlacement(island, land, kind.radiatedAreas, random) == 0) continue;
    std::memcpy(&Island, &island, sizeof Island);
    PlayOutcome outcome = PlayWithoutGuessing(kind.solverOpenings);
    int safeCells = static_cast<int>(land.size()) - kind.radiatedAreas;
    if (!outcome.solved || outcome.openedAtStart * 100 > safeCells * kMostOpenedPercent) continue;
    return LayoutReport{attempt, outcome.openedAtStart, outcome.rounds};
  }
  return std::nullopt;
}

}  // namespace islands
