// Plays modules built straight from the input bytes, without the loaders'
// checks: order entries, patterns, keymaps, envelopes and tunings may be
// anything. The player must neither read out of bounds nor leave a voice
// with a volume, period or envelope value outside its range.
#include <cstddef>
#include <cstdint>

#include "DSound/Player/mixer/Cmixer.h"
#include "DSound/Player/model/Cmodule.h"
#include "DSound/Player/model/Cpattern.h"
#include "DSound/Player/player/ModulePlayer.h"
#include "input_bytes.h"

namespace {

using Bytes = fuzzing::InputBytes;

Envelope ReadEnvelope(Bytes& in) {
  Envelope envelope;
  envelope.flags = in.Next();
  envelope.count = in.Next() % 14;
  envelope.sustain = in.Next();
  envelope.loopStart = in.Next();
  envelope.loopEnd = in.Next();
  const int stored = in.Next() % 14;  // may differ from the count
  for (int point = 0; point < stored; ++point) {
    envelope.points.push_back(in.Next());
    envelope.points.push_back(in.Next());
  }
  return envelope;
}

Instrument ReadInstrument(Bytes& in) {
  Instrument instrument;
  const uint8_t fill = in.Next();
  for (uint8_t& entry : instrument.keymap) entry = fill;
  for (int change = in.Next() % 4; change > 0; --change) instrument.keymap[in.Next() % 96] = in.Next();
  instrument.fadeout = in.Next16();
  instrument.volumeEnvelope = ReadEnvelope(in);
  instrument.panningEnvelope = ReadEnvelope(in);
  return instrument;
}

SampleSlot ReadSample(Bytes& in) {
  SampleSlot sample;
  sample.flags = in.Next();
  sample.tuning = in.Next16();
  sample.relativeNote = static_cast<int8_t>(in.Next());
  sample.volume = in.Next();
  sample.panning = in.Next();
  sample.length = in.Next() % 64;
  sample.pcm.assign(sample.length + 2, 0);
  return sample;
}

PackedPattern ReadPattern(Bytes& in) {
  PackedPattern pattern;
  pattern.rowCount = in.Next() % 80;
  for (int size = in.Next(); size > 0; --size) pattern.data.push_back(in.Next());
  StartDecoding(pattern);
  return pattern;
}

void BuildModule(Bytes& in, ModuleSlot& module) {
  module.channelCount = in.Next() % 40;
  module.speed = in.Next() % 32;
  module.tempo = in.Next();
  module.globalVolume = in.Next();
  module.restartPosition = in.Next() % 20;
  for (int order = in.Next() % 16; order > 0; --order) module.orders.push_back(in.Next() % 8);
  module.songLength = static_cast<uint16_t>(module.orders.size() + in.Next() % 3);
  for (int count = in.Next() % 4; count > 0; --count) module.patterns.push_back(ReadPattern(in));
  for (int count = in.Next() % 4; count > 0; --count) module.samples.push_back(ReadSample(in));
  for (int count = in.Next() % 4; count > 0; --count) module.instruments.push_back(ReadInstrument(in));
  module.patternCount = static_cast<uint16_t>(module.patterns.size());
  module.sampleCount = static_cast<uint16_t>(module.samples.size());
  module.instrumentCount = static_cast<uint16_t>(module.instruments.size());
  module.loaded = 1;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// What the mixer does with note starts, and the ranges it relies on.
void AfterTick(MixerState& state) {
  Check(state.musicChannelCount <= kMusicChannels);
  Check(state.globalVolume <= 64);
  Check(!state.playing || state.tempo >= 32);
  for (int index = 0; index < state.musicChannelCount; ++index) {
    MixChannel& channel = state.musicChannels[index];
    if (channel.active || channel.startRequest) {
      Check(channel.volume >= 0 && channel.volume <= 64);
      Check(channel.period >= 40 && channel.period <= 40000);
      Check(channel.envelopeVolume <= 64 && channel.envelopePanning <= 64);
      Check(channel.sampleIndex < state.currentModule->samples.size());
    }
    if (!channel.startRequest) continue;
    channel.startRequest = 0;
    channel.active = 1;
    channel.keyOn = 1;
    channel.fadeVolume = 65535;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  static MixerState state;
  ModuleSlot module;
  const bool loop = in.Next() & 1;
  BuildModule(in, module);
  if (!PlayerStart(state, module)) return 0;
  state.loopSong = loop;
  for (int tick = 0; tick < 3000 && state.playing; ++tick) {
    PlayerTick(state);
    AfterTick(state);
  }
  PlayerStop(state);
  return 0;
}
