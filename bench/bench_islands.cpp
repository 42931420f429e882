// The island generator: the exact no-guess checker on positions of each map
// type, the whole no-guess check of one map, and making one map of each
// kind (what the build pays 128 times per file).
#include <benchmark/benchmark.h>

#include <cstring>

#include "game/island_files.h"
#include "tools/islands/exact_solver.h"
#include "tools/islands/generator.h"
#include "tools/islands/map_play.h"

namespace {

// Map type `type`, layout number `index`, made with the shipped seed and
// opened the way the game opens it.
void OpenedLayout(int type, int index) {
  islands::MapTypeSummary summary;
  std::vector<uint8_t> record = islands::MakeLayout(type, islands::kShippedSeed, index, summary);
  islands::BuildGeneratedGrid(type, Island);
  ApplyLayout(Island, record.data(), static_cast<int>(record.size()));
  CountRadiatedNeighbours(Island);
  RadiatedTotal = kRadiatedAreasByType[type];
  islands::OpenStartCells(kSolverOpeningsByType[type]);
}

void DeduceAfterOpenings(benchmark::State& state) {
  int type = static_cast<int>(state.range(0));
  OpenedLayout(type, 0);
  for (auto _ : state) {
    islands::Deduction deduction = islands::DeduceCells(Island, RadiatedTotal);
    benchmark::DoNotOptimize(deduction.safe.data());
  }
}
BENCHMARK(DeduceAfterOpenings)->DenseRange(2, 4)->Unit(benchmark::kMicrosecond);

void WholeNoGuessCheck(benchmark::State& state) {
  int type = static_cast<int>(state.range(0));
  OpenedLayout(type, 1);
  static TIsland opened;
  std::memcpy(&opened, &Island, sizeof opened);
  for (auto _ : state) {
    std::memcpy(&Island, &opened, sizeof Island);
    islands::PlayOutcome outcome;
    islands::DeduceToTheEnd(outcome);
    benchmark::DoNotOptimize(outcome.solved);
  }
}
BENCHMARK(WholeNoGuessCheck)->DenseRange(2, 4)->Unit(benchmark::kMillisecond);

void MakeOneLayout(benchmark::State& state) {
  int type = static_cast<int>(state.range(0));
  int index = 0;
  islands::MapTypeSummary summary;
  for (auto _ : state) {
    std::vector<uint8_t> record = islands::MakeLayout(type, islands::kShippedSeed, index++ % 128, summary);
    benchmark::DoNotOptimize(record.data());
  }
}
BENCHMARK(MakeOneLayout)->DenseRange(2, 4)->Unit(benchmark::kMillisecond);

void MakeOneIsland(benchmark::State& state) {
  int index = 0;
  islands::MapTypeSummary summary;
  for (auto _ : state) {
    islands::StoredIsland island = islands::MakeIsland(islands::kShippedSeed, index++ % 128, summary);
    benchmark::DoNotOptimize(&island);
  }
}
BENCHMARK(MakeOneIsland)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
