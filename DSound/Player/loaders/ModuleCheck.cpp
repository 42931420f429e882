// The pass every freshly loaded module goes through before anything plays:
// cross references and the limits the player and the mixer rely on.
#include "loaders/ModuleCheck.h"

#include <algorithm>

#include "loaders/ModuleLoading.h"

namespace {

size_t StorageWords(const SampleSlot& sample) {
  const size_t bytes = sample.Is16Bit() ? 2 * static_cast<size_t>(sample.length) + 4
                                        : static_cast<size_t>(sample.length) + 2;
  return (bytes + 1) / 2;
}

bool CheckSample(SampleSlot& sample) {
  sample.volume = std::min(sample.volume, kMaxVolume);
  if (sample.length > kMaxSampleLength) return false;
  if (sample.length == 0) {
    FreeSample(sample);
  } else if (sample.pcm.size() != StorageWords(sample)) {
    return false;
  }
  LimitLoop(sample);
  return true;
}

bool CheckEnvelope(Envelope& envelope) {
  if (envelope.points.size() != 2 * static_cast<size_t>(envelope.count)) return false;
  if (envelope.count == 0) {
    envelope.flags = 0;
    envelope.sustain = envelope.loopStart = envelope.loopEnd = 0;
    return true;
  }
  const uint8_t last = static_cast<uint8_t>(envelope.count - 1);
  envelope.sustain = std::min(envelope.sustain, last);
  envelope.loopStart = std::min(envelope.loopStart, last);
  envelope.loopEnd = std::min(envelope.loopEnd, last);
  return true;
}

bool CheckInstrument(Instrument& instrument, size_t sampleCount) {
  for (uint8_t& entry : instrument.keymap)
    if (entry >= sampleCount) entry = kKeymapNoSample;
  return CheckEnvelope(instrument.volumeEnvelope) && CheckEnvelope(instrument.panningEnvelope);
}

bool CheckPattern(PackedPattern& pattern) {
  if (pattern.rowCount > kMaxPatternRows || !PatternIsWellFormed(pattern)) return false;
  StartDecoding(pattern);
  return true;
}

}  // namespace

bool CheckModule(ModuleSlot& module) {
  if (module.orders.size() != module.songLength ||
      module.instruments.size() != module.instrumentCount ||
      module.samples.size() != module.sampleCount ||
      module.patterns.size() != module.patternCount)
    return false;
  if (module.patternCount > kMaxPatterns || module.instrumentCount > kMaxInstruments ||
      module.sampleCount > kMaxSamples)
    return false;

  module.name[sizeof module.name - 1] = 0;
  module.channelCount = std::min<uint8_t>(module.channelCount, kModuleChannels);
  module.tempo = std::max(module.tempo, kMinTempo);
  module.globalVolume = std::min(module.globalVolume, kMaxVolume);

  for (SampleSlot& sample : module.samples)
    if (!CheckSample(sample)) return false;
  for (Instrument& instrument : module.instruments)
    if (!CheckInstrument(instrument, module.samples.size())) return false;
  for (PackedPattern& pattern : module.patterns)
    if (!CheckPattern(pattern)) return false;
  return true;
}
