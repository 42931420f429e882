// The generator's closing summary: per map type, how big the maps came out,
// how much the game opens by itself and how far the hint key alone gets.
#pragma once

#include "tools/islands/generator.h"

namespace islands {

void PrintSummary(const MapTypeSummary (&summaries)[4], double seconds);

}  // namespace islands
