// A small module built in memory and a player driven tick by tick, with the
// mixer's handling of start requests simulated, for the module player tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "mixer/Cmixer.h"
#include "model/Cmodule.h"
#include "model/Cpattern.h"
#include "model/ModuleEffects.h"
#include "player/ModulePlayer.h"

namespace player_test {

constexpr uint8_t E = kCellEmpty;

struct CellAt {
  uint32_t row;
  int channel;
  PatternCell cell;
};

inline PatternCell Cell(uint8_t note, uint8_t instrument = E, uint8_t volume = E, uint8_t effect = E,
                        uint8_t parameter = E) {
  return PatternCell{note, instrument, volume, effect, parameter};
}

// Just an effect (and optionally a volume-column byte) on a cell.
inline PatternCell Fx(uint8_t effect, uint8_t parameter, uint8_t volume = E) {
  return PatternCell{E, E, volume, effect, parameter};
}

inline PackedPattern MakePattern(uint32_t rows, std::initializer_list<CellAt> cells) {
  PatternGrid grid(rows);
  for (const CellAt& at : cells) grid.At(at.row, at.channel) = at.cell;
  PackedPattern pattern;
  PackPattern(pattern, grid);
  return pattern;
}

inline SampleSlot MakeSample(uint8_t flags = 0, uint32_t tuning = 0, uint8_t volume = 64) {
  SampleSlot sample;
  sample.length = 1000;
  sample.pcm.assign(sample.length / 2 + 1, 0);
  sample.flags = flags;
  sample.tuning = tuning;
  sample.volume = volume;
  return sample;
}

// An instrument whose keymap plays one sample for every note.
inline Instrument MakeInstrument(uint8_t sample, uint16_t fadeout = 0) {
  Instrument instrument;
  instrument.sampleCount = 1;
  for (uint8_t& entry : instrument.keymap) entry = sample;
  instrument.fadeout = fadeout;
  return instrument;
}

inline Envelope MakeEnvelope(std::initializer_list<uint16_t> pairs, uint8_t flags, uint8_t sustain = 0,
                             uint8_t loopStart = 0, uint8_t loopEnd = 0) {
  Envelope envelope;
  envelope.points = pairs;
  envelope.count = static_cast<uint8_t>(pairs.size() / 2);
  envelope.flags = flags;
  envelope.sustain = sustain;
  envelope.loopStart = loopStart;
  envelope.loopEnd = loopEnd;
  return envelope;
}

// A module of a few channels with one Amiga-tuned sample and instrument;
// tests add patterns and orders.
struct PlayerFixture : ::testing::Test {
  ModuleSlot module;
  MixerState state;

  PlayerFixture() {
    module.channelCount = 4;
    module.speed = 6;
    module.tempo = 125;
    module.globalVolume = 64;
    for (int channel = 0; channel < kModuleChannels; ++channel)
      module.channelPanning[channel] = static_cast<uint8_t>(channel * 8);
    module.samples.push_back(MakeSample());
    module.instruments.push_back(MakeInstrument(0));
    SyncCounts();
  }

  void SyncCounts() {
    module.songLength = static_cast<uint16_t>(module.orders.size());
    module.instrumentCount = static_cast<uint16_t>(module.instruments.size());
    module.sampleCount = static_cast<uint16_t>(module.samples.size());
    module.patternCount = static_cast<uint16_t>(module.patterns.size());
    module.loaded = 1;
  }

  // One pattern played once.
  void Song(uint32_t rows, std::initializer_list<CellAt> cells) {
    module.patterns.push_back(MakePattern(rows, cells));
    module.orders = {0};
    SyncCounts();
  }

  bool Start() {
    SyncCounts();
    return PlayerStart(state, module);
  }

  // One tick of the player, then the mixer's side of a note start.
  void Tick() {
    PlayerTick(state);
    for (int index = 0; index < state.musicChannelCount; ++index) {
      MixChannel& channel = state.musicChannels[index];
      if (!channel.startRequest) continue;
      channel.startRequest = 0;
      channel.active = channel.sampleIndex != kNoSample ? 1 : 0;
      channel.keyOn = 1;
      channel.fadeVolume = 65535;
    }
  }

  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Tick();
  }

  MixChannel& Channel(int index = 0) { return state.musicChannels[index]; }

  // Records a value of channel 0 once per tick over the given ticks.
  template <typename Read>
  std::vector<int> Trace(int ticks, Read read) {
    std::vector<int> values;
    for (int i = 0; i < ticks; ++i) {
      Tick();
      values.push_back(read(Channel()));
    }
    return values;
  }
};

}  // namespace player_test
