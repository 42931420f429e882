// Pictures of the generated islands for review: each island as the game's
// view passes draw it, every cell opened, radiated cells dark, each digit's
// square outlined where the game draws it.
#pragma once

#include <string>
#include <vector>

#include "tools/islands/island_record.h"

namespace islands {

// Writes folder/islandNNN.ppm (510 x 510) for every island.
void WritePreviews(const std::string& folder, const std::vector<StoredIsland>& islands);

}  // namespace islands
