// The shape of an island: one connected landmass with bays, headlands and a
// ragged coast, without lakes, well inside the grid.
#pragma once

#include "tools/islands/plane.h"
#include "tools/islands/random_stream.h"

namespace islands {

// Land never comes closer than this to the grid's edges, which leaves room
// for the coast shadow and the smoothing of the picture.
constexpr int kLandMargin = 8;

// A landmass of about `area` pixels (1 = land), or an empty mask when this
// draw did not come out near that size.
Mask MakeLandmass(RandomStream& random, int area);

int CountSet(const Mask& mask);

}  // namespace islands
