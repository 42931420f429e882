// How long the build spends making the sound bank and the music: the
// synthesis of the eight effects, choosing and applying their delta coding,
// composing the module (with its sampled instruments) and writing it.
#include <benchmark/benchmark.h>

#include "tools/music/composition.h"
#include "tools/sfx/bank.h"
#include "tools/xmwriter/xmwriter.h"

namespace {

void SynthesiseEffects(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(synth::MakeEffectSounds());
}
BENCHMARK(SynthesiseEffects)->Unit(benchmark::kMillisecond);

void BuildSoundBank(benchmark::State& state) {
  const auto sounds = synth::MakeEffectSounds();
  std::vector<synth::BankChoice> choices;
  for (auto _ : state) benchmark::DoNotOptimize(synth::BuildSoundBank(sounds, choices));
}
BENCHMARK(BuildSoundBank)->Unit(benchmark::kMillisecond);

void ComposeMusic(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(music::ComposeDusk());
}
BENCHMARK(ComposeMusic)->Unit(benchmark::kMillisecond);

void WriteMusic(benchmark::State& state) {
  const xm::Module module = music::ComposeDusk();
  for (auto _ : state) benchmark::DoNotOptimize(xm::WriteModule(module));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(xm::WriteModule(module).size()));
}
BENCHMARK(WriteMusic)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
