#include "tools/islands/summary.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace islands {

namespace {

// "min / median / max (mean)" of a list of counts.
void PrintSpread(const char* label, std::vector<int> values) {
  if (values.empty()) return;
  std::sort(values.begin(), values.end());
  double mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
  std::printf("  %-24s %d / %d / %d (mean %.1f)\n", label, values.front(), values[values.size() / 2],
              values.back(), mean);
}

}  // namespace

void PrintSummary(const MapTypeSummary (&summaries)[4], double seconds) {
  std::printf("min / median / max per map type\n");
  for (const MapTypeSummary& summary : summaries) {
    int maps = static_cast<int>(summary.landCells.size());
    std::printf("map type %d: %d maps\n", summary.mapType, maps);
    PrintSpread("land cells", summary.landCells);
    PrintSpread("neighbours per cell", summary.neighbours);
    PrintSpread("opened at start", summary.openedAtStart);
    PrintSpread("rounds of deduction", summary.rounds);
    if (summary.askHintKey) {
      std::printf("  %-24s %d of %d (%.0f%%)\n", "hint key alone solves", summary.hintSolved, maps,
                  maps ? 100.0 * summary.hintSolved / maps : 0.0);
    }
    std::printf("  %-24s %lld\n", "placements drawn", static_cast<long long>(summary.placements));
    if (summary.mapType == 1) std::printf("  %-24s %d\n", "islands drawn anew", summary.islandRedraws);
  }
  std::printf("generated in %.1f s\n", seconds);
}

}  // namespace islands
