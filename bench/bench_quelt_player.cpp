// Speed of the module player's tick: a looping song whose every row starts
// notes on every channel under a mix of effects, with volume and panning
// envelopes running.
#include <benchmark/benchmark.h>

#include "DSound/Player/mixer/Cmixer.h"
#include "DSound/Player/model/Cmodule.h"
#include "DSound/Player/model/Cpattern.h"
#include "DSound/Player/player/ModulePlayer.h"

namespace {

constexpr uint32_t kRows = 64;

// Effects the song cycles through: vibrato, volume slide, arpeggio, tone
// porta, tremolo, porta up, retrigger, panning slide.
const uint8_t kEffects[][2] = {{8, 0x46},  {4, 0x0F}, {10, 0x37}, {7, 0x08},
                               {18, 0x34}, {6, 0x02}, {17, 0x13}, {16, 0x21}};

Envelope MakeEnvelope(std::initializer_list<uint16_t> points, uint8_t flags) {
  Envelope envelope;
  envelope.points = points;
  envelope.count = static_cast<uint8_t>(points.size() / 2);
  envelope.flags = flags;
  envelope.sustain = 2;
  envelope.loopStart = 1;
  envelope.loopEnd = 3;
  return envelope;
}

void BuildSong(ModuleSlot& module, int channels) {
  module.channelCount = static_cast<uint8_t>(channels);
  module.speed = 6;
  module.tempo = 125;
  module.globalVolume = 64;
  SampleSlot sample;
  sample.length = 4096;
  sample.pcm.assign(sample.length / 2 + 1, 0);
  sample.volume = 64;
  sample.flags = SampleFlag::Linear;
  module.samples.push_back(sample);
  Instrument instrument;
  instrument.sampleCount = 1;
  instrument.fadeout = 256;
  instrument.volumeEnvelope =
      MakeEnvelope({0, 64, 10, 40, 30, 50, 60, 0}, EnvelopeFlag::On | EnvelopeFlag::Loop);
  instrument.panningEnvelope = MakeEnvelope({0, 0, 20, 64, 40, 32}, EnvelopeFlag::On);
  module.instruments.push_back(instrument);

  PatternGrid grid(kRows);
  for (uint32_t row = 0; row < kRows; ++row) {
    for (int channel = 0; channel < channels; ++channel) {
      const auto& effect = kEffects[(row + channel) % std::size(kEffects)];
      const uint8_t note = static_cast<uint8_t>(row % 4 == 3 ? 97 : 37 + (row * 7 + channel) % 36);
      grid.At(row, channel) = PatternCell{note, 1, static_cast<uint8_t>(row % 2 ? 0x62 : 48),
                                          effect[0], effect[1]};
    }
  }
  module.patterns.emplace_back();
  PackPattern(module.patterns.back(), grid);
  module.orders = {0, 0};
  module.songLength = 2;
  module.instrumentCount = 1;
  module.sampleCount = 1;
  module.patternCount = 1;
  module.loaded = 1;
}

// What the mixer does with a note start after the tick.
void StartRequestedVoices(MixerState& state) {
  for (int index = 0; index < state.musicChannelCount; ++index) {
    MixChannel& channel = state.musicChannels[index];
    if (!channel.startRequest) continue;
    channel.startRequest = 0;
    channel.active = 1;
    channel.keyOn = 1;
    channel.fadeVolume = 65535;
  }
}

void BM_PlayerTick(benchmark::State& bench) {
  ModuleSlot module;
  BuildSong(module, static_cast<int>(bench.range(0)));
  static MixerState state;
  PlayerStart(state, module);
  state.loopSong = 1;
  for (auto _ : bench) {
    PlayerTick(state);
    StartRequestedVoices(state);
    benchmark::DoNotOptimize(state.musicChannels[0].frequency);
  }
  if (!state.playing) bench.SkipWithError("the song ended");
  PlayerStop(state);
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_PlayerTick)->Arg(4)->Arg(8)->Arg(32);

}  // namespace

BENCHMARK_MAIN();
