// Hiding the radiated areas of a map and choosing its start cell so that
// the whole map can be solved by deduction from what the game opens.
#pragma once

#include <optional>

#include "game/island.h"
#include "tools/islands/random_stream.h"

namespace islands {

struct MapKind {
  int radiatedAreas;
  int solverOpenings;  // cells map preparation opens with the hint solver
};

struct LayoutReport {
  int attempts = 0;       // placements drawn until one needed no guess
  int openedAtStart = 0;  // cells the game opens by itself
  int rounds = 0;         // rounds of deduction the player needs
};

// Draws placements on `island` (its cells set, nothing radiated) until one
// can be solved without guessing and the game's own openings leave at least
// half of the safe cells to the player; writes it into `island` (isRadiated,
// radiatedNeighbours, the start cell in accountedRadiated). Nothing when
// `attempts` draws all needed a guess. Uses the game's Island and
// RadiatedTotal as scratch.
std::optional<LayoutReport> PlaceRadiatedAreas(TIsland& island, const MapKind& kind,
                                               RandomStream& random, int attempts);

// Whether the hint key alone, pressed after the game's openings until it has
// nothing more to say, finishes the map. Uses Island and RadiatedTotal as
// scratch.
bool HintKeyFinishes(const TIsland& island, const MapKind& kind);

}  // namespace islands
