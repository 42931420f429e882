// Speed of loading modules from memory: XM modules of growing size (to show
// that loading grows linearly with the patterns and the sample data), a QLT
// copy of the largest one, and the S3M and MOD loaders on like modules.
#include <benchmark/benchmark.h>

#include "DSound/Player/loaders/CModQLT.h"
#include "DSound/Player/model/Cmodule.h"
#include "DSound/Player/loaders/ModuleLoaders.h"
#include "quelt/module_builders.h"

namespace {

constexpr int kChannels = 8;
constexpr uint16_t kRows = 64;

// A dense pattern: a note with an effect on every channel of every row.
std::vector<uint8_t> DensePattern() {
  std::vector<builders::XmCell> cells;
  for (uint32_t row = 0; row < kRows; ++row)
    for (int channel = 0; channel < kChannels; ++channel)
      cells.push_back({row, channel, static_cast<uint8_t>(1 + (row * 7 + channel) % 96), 1,
                       0x40, static_cast<uint8_t>(row % 16), static_cast<uint8_t>(channel)});
  return builders::XmPatternData(kRows, kChannels, cells);
}

// patterns dense patterns and one instrument with a 16-bit sample of
// patterns x 4096 points.
std::vector<uint8_t> XmOfSize(int patterns) {
  builders::XmModule xm;
  xm.channels = kChannels;
  xm.orders.clear();
  const std::vector<uint8_t> pattern = DensePattern();
  for (int i = 0; i < patterns; ++i) {
    xm.patterns.push_back(builders::XmPattern{kRows, pattern});
    xm.orders.push_back(static_cast<uint8_t>(i));
  }
  builders::XmInstrument instrument;
  builders::XmSample sample;
  sample.sixteenBit = true;
  for (int i = 0; i < patterns * 4096; ++i) sample.points.push_back((i * 37) % 20000 - 10000);
  instrument.samples.push_back(sample);
  xm.instruments.push_back(instrument);
  return xm.Build();
}

void Load(benchmark::State& state, const std::vector<uint8_t>& bytes) {
  for (auto _ : state) {
    ModuleSlot module;
    benchmark::DoNotOptimize(LoadModuleFromMemory(module, bytes.data(), bytes.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_LoadXm(benchmark::State& state) {
  const std::vector<uint8_t> bytes = XmOfSize(static_cast<int>(state.range(0)));
  Load(state, bytes);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadXm)->RangeMultiplier(4)->Range(4, 256)->Complexity(benchmark::oN);

void BM_LoadQltCopyOfXm(benchmark::State& state) {
  const std::vector<uint8_t> xm = XmOfSize(256);
  ModuleSlot module;
  LoadModuleFromMemory(module, xm.data(), xm.size());
  Load(state, WriteModuleQLT(module));
}
BENCHMARK(BM_LoadQltCopyOfXm);

void BM_LoadS3m(benchmark::State& state) {
  builders::S3mModule s3m;
  for (int i = 0; i < 100; ++i) {
    builders::S3mPattern pattern;
    for (uint32_t row = 0; row < 64; ++row)
      for (int channel = 0; channel < 4; ++channel)
        pattern.cells.push_back({row, channel, 0x41, 1, 40, 4, 0x0F});
    s3m.patterns.push_back(pattern);
    s3m.orders.push_back(static_cast<uint8_t>(i));
  }
  builders::S3mSample sample;
  sample.data.assign(1 << 20, 0x90);
  s3m.samples.push_back(sample);
  Load(state, s3m.Build());
}
BENCHMARK(BM_LoadS3m);

void BM_LoadMod(benchmark::State& state) {
  builders::ModModule mod;
  mod.songLength = 100;
  mod.patterns.resize(100);
  for (int i = 0; i < 100; ++i) {
    mod.orders[i] = static_cast<uint8_t>(i);
    for (uint32_t row = 0; row < 64; ++row)
      for (int channel = 0; channel < 4; ++channel)
        mod.patterns[i].push_back({row, channel, 428, 1, 0xA, 0x02});
  }
  for (int i = 0; i < 31; ++i) {
    builders::ModSample sample;
    sample.data.assign(32768, static_cast<int8_t>(i));
    mod.samples.push_back(sample);
  }
  Load(state, mod.Build());
}
BENCHMARK(BM_LoadMod);

}  // namespace

BENCHMARK_MAIN();
