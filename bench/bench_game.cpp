// Map preparation per map type (the view passes dominate) and the hint
// solver on a freshly started map and on the hardest state found.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "game/grids.h"
#include "game/island_files.h"
#include "game/island_fixtures.h"
#include "game/map_start.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/scores_file.h"
#include "game/solver.h"
#include "game/view.h"
#include "platform/random.h"

namespace {

// A program directory with an archive and the three layout files; the
// screen is absent, so no transition or drawing is done.
void EnterGameDirectory() {
  static bool ready = false;
  if (ready) return;
  char pattern[] = "/tmp/bench-game-XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  mkdir("islands", 0755);
  std::vector<int> square = {1, 2, 3, 9, 10, 11, 40, 50, 60, 62, 63, 64, 20, 21, 22};
  WriteLayoutFile(2, 65, {square.begin(), square.begin() + 12}, 36);
  WriteLayoutFile(3, 65, square, 36);
  std::vector<int> rounded;
  for (int d = 1; d <= 36; ++d) rounded.push_back(4 * d + (d % 3));
  WriteLayoutFile(4, 158, rounded, 79);
  TIsland archived;
  MakeSquareIsland(archived, {1, 2, 3, 9, 10, 11, 40, 50, 60, 62, 63, 64, 17}, 36);
  WriteArchive(archived, CellGrid);
  LoadScores();
  GameOptions = {1, 1, 1, 1};
  ready = true;
}

void BM_StartNewMap(benchmark::State& state) {
  EnterGameDirectory();
  GameOptions.mapType = static_cast<uint8_t>(state.range(0));
  platform::SetRandomSeed(1);
  for (auto _ : state) StartNewMap(Island);
}
BENCHMARK(BM_StartNewMap)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// The border mask, the six view passes and centring alone, on the rounded
// grid: the part of preparation that does not depend on the openings.
void BM_BuildViewRounded(benchmark::State& state) {
  std::memset(&Island, 0, sizeof Island);
  BuildRoundedGrid(Island);
  for (auto _ : state) {
    BuildBorderMask();
    BuildView(Island);
    CentreView();
  }
}
BENCHMARK(BM_BuildViewRounded)->Unit(benchmark::kMillisecond);

// One refresh of the whole view, done once per opened cell.
void BM_RefreshView(benchmark::State& state) {
  for (auto _ : state) RefreshView(Island);
}
BENCHMARK(BM_RefreshView)->Unit(benchmark::kMicrosecond);

void BM_FindSafeCellFreshRoundedMap(benchmark::State& state) {
  EnterGameDirectory();
  GameOptions.mapType = 4;
  platform::SetRandomSeed(2);
  StartNewMap(Island);
  for (auto _ : state) benchmark::DoNotOptimize(FindSafeCell());
  state.counters["constraints"] = SolverConstraints().count;
}
BENCHMARK(BM_FindSafeCellFreshRoundedMap)->Unit(benchmark::kMicrosecond);

// A rounded map with every other cell explored and digits drawn at random
// (as a damaged original island may hold them): among many such states the
// one whose solving derives the most constraints.
void MakeHardestRoundedState() {
  TIsland best = {};
  int bestCount = -1;
  platform::SetRandomSeed(3);
  for (int trial = 0; trial < 300; ++trial) {
    std::memset(&Island, 0, sizeof Island);
    BuildRoundedGrid(Island);
    for (int d = 1; d < kRoundedCells; ++d) {
      TIslandCell& cell = Island.Cell(d);
      if (platform::Random(100) < 45) {
        cell.isExplored = 1;
        cell.radiatedNeighbours = static_cast<uint8_t>(1 + platform::Random(4));
      }
    }
    RadiatedTotal = 36;
    FindSafeCell();
    if (SolverConstraints().count > bestCount) {
      bestCount = SolverConstraints().count;
      best = Island;
    }
  }
  Island = best;
}

void BM_FindSafeCellHardestState(benchmark::State& state) {
  MakeHardestRoundedState();
  for (auto _ : state) benchmark::DoNotOptimize(FindSafeCell());
  state.counters["constraints"] = SolverConstraints().count;
}
BENCHMARK(BM_FindSafeCellHardestState)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
