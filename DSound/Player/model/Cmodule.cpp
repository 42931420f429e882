// Freeing modules and samples, sample data, and the copies between records
// and their file layouts.
#include "model/Cmodule.h"

#include <cstring>
#include <iterator>
#include <span>


namespace {

void CopyEnvelopeSettings(const Envelope& envelope, EnvelopeSettingsLayout& layout) {
  layout.count = envelope.count;
  layout.sustain = envelope.sustain;
  layout.loopStart = envelope.loopStart;
  layout.loopEnd = envelope.loopEnd;
  layout.flags = envelope.flags;
}

void CopyEnvelopeSettings(const EnvelopeSettingsLayout& layout, Envelope& envelope) {
  envelope.count = layout.count;
  envelope.sustain = layout.sustain;
  envelope.loopStart = layout.loopStart;
  envelope.loopEnd = layout.loopEnd;
  envelope.flags = layout.flags;
}

}  // namespace

bool FreeModule(ModuleSlot& slot) {
  if (slot.inUse) return false;
  if (slot.loaded) ClearModule(slot);
  return true;
}

void ClearModule(ModuleSlot& module) {
  const uint8_t inUse = module.inUse;
  module = ModuleSlot();
  module.inUse = inUse;
}

// ---------------------------------------------------------------------------
// Sample data.

bool AllocateSampleData(SampleSlot& sample, uint32_t length, bool sixteenBit) {
  FreeSample(sample);
  sample.flags = static_cast<uint8_t>(sixteenBit ? sample.flags | SampleFlag::SixteenBit
                                                 : sample.flags & ~SampleFlag::SixteenBit);
  if (length == 0 || length > kMaxSampleLength) return false;
  // 8 bit: length + 2 bytes; 16 bit: 2 x length + 4 bytes.
  const size_t bytes = sixteenBit ? 2 * static_cast<size_t>(length) + 4 : length + 2;
  try {
    sample.pcm.assign((bytes + 1) / 2, 0);
  } catch (const std::bad_alloc&) {
    FreeSample(sample);
    return false;
  }
  sample.length = length;
  return true;
}

void SetGuardSamples(SampleSlot& sample) {
  if (sample.length == 0 || sample.pcm.empty()) return;
  if (sample.Is16Bit()) {
    int16_t* data = sample.Data16();
    data[sample.length] = data[sample.length + 1] = data[sample.length - 1];
  } else {
    int8_t* data = sample.Data8();
    data[sample.length] = data[sample.length + 1] = data[sample.length - 1];
  }
}

void FreeSample(SampleSlot& sample) {
  std::vector<int16_t>().swap(sample.pcm);
  sample.length = 0;
}

// ---------------------------------------------------------------------------
// Layouts.

SampleSlotLayout ToLayout(const SampleSlot& sample) {
  SampleSlotLayout layout{};
  std::memcpy(layout.dosName, sample.dosName, sizeof layout.dosName);
  layout.reserved = sample.reserved;
  layout.length = sample.length;
  layout.loopStart = sample.loopStart;
  layout.loopEnd = sample.loopEnd;
  layout.volume = sample.volume;
  layout.flags = sample.flags;
  layout.tuning = sample.tuning;
  layout.panning = sample.panning;
  layout.relativeNote = sample.relativeNote;
  std::memcpy(layout.name, sample.name, sizeof layout.name);
  layout.defaultPanning = sample.defaultPanning;
  return layout;
}

void FromLayout(const SampleSlotLayout& layout, SampleSlot& sample) {
  std::memcpy(sample.dosName, layout.dosName, sizeof sample.dosName);
  sample.dosName[sizeof sample.dosName - 1] = 0;
  sample.reserved = layout.reserved;
  sample.length = layout.length;
  sample.loopStart = layout.loopStart;
  sample.loopEnd = layout.loopEnd;
  sample.volume = layout.volume;
  sample.flags = layout.flags;
  sample.tuning = layout.tuning;
  sample.panning = layout.panning;
  sample.relativeNote = layout.relativeNote;
  std::memcpy(sample.name, layout.name, sizeof sample.name);
  sample.defaultPanning = layout.defaultPanning;
}

InstrumentLayout ToLayout(const Instrument& instrument) {
  InstrumentLayout layout{};
  std::memcpy(layout.name, instrument.name, sizeof layout.name);
  layout.sampleDefaultPanning = instrument.sampleDefaultPanning;
  layout.type = instrument.type;
  layout.sampleCount = instrument.sampleCount;
  std::memcpy(layout.keymap, instrument.keymap, sizeof layout.keymap);
  CopyEnvelopeSettings(instrument.panningEnvelope, layout.panning);
  CopyEnvelopeSettings(instrument.volumeEnvelope, layout.volume);
  layout.vibratoType = instrument.vibratoType;
  layout.vibratoSweep = instrument.vibratoSweep;
  layout.vibratoDepth = instrument.vibratoDepth;
  layout.vibratoRate = instrument.vibratoRate;
  layout.fadeout = instrument.fadeout;
  return layout;
}

void FromLayout(const InstrumentLayout& layout, Instrument& instrument) {
  std::memcpy(instrument.name, layout.name, sizeof instrument.name);
  instrument.sampleDefaultPanning = layout.sampleDefaultPanning;
  instrument.type = layout.type;
  instrument.sampleCount = layout.sampleCount;
  std::memcpy(instrument.keymap, layout.keymap, sizeof instrument.keymap);
  CopyEnvelopeSettings(layout.panning, instrument.panningEnvelope);
  CopyEnvelopeSettings(layout.volume, instrument.volumeEnvelope);
  instrument.vibratoType = layout.vibratoType;
  instrument.vibratoSweep = layout.vibratoSweep;
  instrument.vibratoDepth = layout.vibratoDepth;
  instrument.vibratoRate = layout.vibratoRate;
  instrument.fadeout = layout.fadeout;
}

ModuleSlotLayout ToLayout(const ModuleSlot& module) {
  ModuleSlotLayout layout{};
  std::memcpy(layout.name, module.name, sizeof layout.name);
  std::memcpy(layout.reserved, module.reserved, sizeof layout.reserved);
  layout.songLength = module.songLength;
  layout.instrumentCount = module.instrumentCount;
  layout.sampleCount = module.sampleCount;
  layout.patternCount = module.patternCount;
  layout.globalVolume = module.globalVolume;
  layout.speed = module.speed;
  layout.tempo = module.tempo;
  layout.restartPosition = module.restartPosition;
  layout.channelCount = module.channelCount;
  std::memcpy(layout.channelPanning, module.channelPanning, sizeof layout.channelPanning);
  layout.flags = module.flags;
  layout.format = module.format;
  layout.loaded = module.loaded;
  layout.inUse = module.inUse;
  return layout;
}

void FromLayout(const ModuleSlotLayout& layout, ModuleSlot& module) {
  std::memcpy(module.name, layout.name, sizeof module.name);
  module.name[sizeof module.name - 1] = 0;
  std::memcpy(module.reserved, layout.reserved, sizeof module.reserved);
  module.songLength = layout.songLength;
  module.instrumentCount = layout.instrumentCount;
  module.sampleCount = layout.sampleCount;
  module.patternCount = layout.patternCount;
  module.globalVolume = layout.globalVolume;
  module.speed = layout.speed;
  module.tempo = layout.tempo;
  module.restartPosition = layout.restartPosition;
  module.channelCount = layout.channelCount;
  std::memcpy(module.channelPanning, layout.channelPanning, sizeof module.channelPanning);
  module.flags = layout.flags;
  module.format = layout.format;
}
