// The no-guess checker: from what the player sees (explored cells, their
// digits, the number of radiated areas) finds every unexplored cell that is
// safe, or radiated, in every placement of the radiated areas that agrees
// with it. It never looks at an unexplored cell's secret.
#pragma once

#include <vector>

#include "game/island.h"

namespace islands {

struct Deduction {
  bool consistent = true;    // some placement agrees with what is seen
  bool tooComplex = false;   // gave up: a frontier too tangled to enumerate
  std::vector<int> safe;     // ascending cell numbers
  std::vector<int> radiated;
};

// `radiatedTotal` is the number of radiated areas on the island, as the
// player is told.
Deduction DeduceCells(const TIsland& island, int radiatedTotal);

}  // namespace islands
