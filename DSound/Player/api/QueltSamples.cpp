// Exported sample slots and FX channels.
#include "api/QueltSamples.h"

#include <algorithm>

#include "api/QueltLibrary.h"
#include "base/Error.h"
#include "loaders/CWave.h"
#include "mixer/CmixerSample.h"
#include "mixer/CmixerTick.h"

namespace {

int FirstFreeSample(const QueltLibrary& library) {
  for (int i = 0; i < library.sampleSlots && library.samples != nullptr; ++i) {
    if (library.samples[i].length == 0) return i;
  }
  return -1;
}

uint8_t ChannelVolume(unsigned char volume) { return std::min<unsigned char>(volume, 64); }

// Puts the sample on the first FX channel not yet active (a channel whose
// start is still pending counts as free, so a second start before the next
// tick replaces the first). Returns the channel, or -1. Mixer claimed.
int StartOnFxChannel(QueltLibrary& library, const SampleSlot& sample, uint8_t volume, uint8_t panning,
                     uint16_t frequency) {
  MixerState& mixer = library.mixer;
  for (int i = 0; i < mixer.fxChannelCount; ++i) {
    MixChannel& channel = mixer.fxChannels[i];
    if (channel.active) continue;
    channel.data = sample.Data();
    channel.sampleIndex = 0;
    channel.length = sample.length;
    channel.loopStart = sample.loopStart;
    channel.loopEnd = sample.loopEnd;
    channel.sampleFlags = sample.flags & (kChannelLoop | kChannelPingPong | kChannel16Bit);
    channel.envelopeFlags = 0;
    channel.startOffset = 0;
    channel.step = 0;
    LimitChannelSample(channel);
    channel.panning = panning;
    channel.frequency = frequency;
    channel.volume = static_cast<int8_t>(volume);
    channel.startRequest = 1;
    return i;
  }
  return -1;
}

// Silences every FX channel that plays from this data. Mixer claimed.
void StopChannelsUsing(QueltLibrary& library, const void* data) {
  for (MixChannel& channel : library.mixer.fxChannels) {
    if (data != nullptr && channel.data == data) {
      channel.active = 0;
      channel.startRequest = 0;
      channel.data = nullptr;
      channel.sampleIndex = kNoSample;
    }
  }
}

}  // namespace

QUELT_API int QueltLoadSample(char* fileName, unsigned long offset) {
  QueltLibrary& library = Library();
  const int slot = FirstFreeSample(library);
  if (slot < 0 || fileName == nullptr) {
    SetLastFailure("every sample slot is in use");
    return -1;
  }
  if (LoadWaveFile(library.samples[slot], fileName, offset)) return slot;
  SetLastFailure("the file cannot be read or holds no RIFF WAVE sound");
  return -1;
}

QUELT_API bool QueltUnloadSample(int sample) {
  if (!ValidSampleIndex(sample)) return false;
  QueltLibrary& library = Library();
  SampleSlot& slot = library.samples[sample];
  {
    MixerClaim claim(library.mixer);
    StopChannelsUsing(library, slot.Data());
  }
  FreeSample(slot);
  return true;
}

QUELT_API int QueltCreateSample(unsigned char** data, unsigned long length, unsigned short frequency,
                                bool sixteenBit) {
  QueltLibrary& library = Library();
  const int slot = FirstFreeSample(library);
  if (slot < 0 || data == nullptr || length == 0 || length > kMaxSampleLength) return -1;
  SampleSlot& sample = library.samples[slot];
  if (!AllocateSampleData(sample, static_cast<uint32_t>(length), sixteenBit)) return -1;
  sample.flags = sixteenBit ? SampleFlag::SixteenBit : 0;
  sample.flags |= SampleFlag::C2Rate;
  sample.tuning = frequency;
  sample.loopStart = sample.loopEnd = 0;
  *data = reinterpret_cast<unsigned char*>(sample.pcm.data());
  return slot;
}

QUELT_API bool QueltSetSampleLoop(int sample, int start, int end, unsigned char flags) {
  if (!ValidSampleIndex(sample)) return false;
  SampleSlot& slot = Library().samples[sample];
  if (slot.Data() == nullptr || slot.length == 0) return false;
  const int last = static_cast<int>(slot.length - 1);
  start = std::clamp(start, 0, last);
  end = std::clamp(end, 0, last);
  if (start == end) return false;
  slot.loopStart = static_cast<uint32_t>(std::min(start, end));
  slot.loopEnd = static_cast<uint32_t>(std::max(start, end));
  const uint8_t taken = SampleFlag::Loop | SampleFlag::PingPong;
  slot.flags = static_cast<uint8_t>((slot.flags & ~taken) | (flags & taken));
  return true;
}

QUELT_API int QueltPlaySample(int sample, unsigned char volume, unsigned char panning, unsigned short frequency) {
  if (!ValidSampleIndex(sample)) return -1;
  QueltLibrary& library = Library();
  const SampleSlot& slot = library.samples[sample];
  if (slot.Data() == nullptr || slot.length == 0) {
    SetLastFailure("the sample slot holds no sound");
    return -1;
  }
  if (frequency == 0) frequency = static_cast<uint16_t>(std::min<uint32_t>(slot.tuning, 0xFFFF));
  MixerClaim claim(library.mixer);
  const int channel = StartOnFxChannel(library, slot, ChannelVolume(volume), panning, frequency);
  if (channel < 0) SetLastFailure("every FX channel is busy");
  return channel;
}

QUELT_API bool QueltStopAllSamples() {
  QueltLibrary& library = Library();
  MixerClaim claim(library.mixer);
  ResetFxChannels(library);
  return true;
}

QUELT_API void QueltStopChannel(int channel) {
  if (channel < 0 || channel >= kFxChannels) return;
  MixChannel& fx = Library().mixer.fxChannels[channel];
  fx.active = 0;
  fx.startRequest = 0;
}

QUELT_API bool QueltSetChannelMode(int channel, unsigned char volume, unsigned char panning,
                                   unsigned short frequency) {
  QueltLibrary& library = Library();
  MixerClaim claim(library.mixer);
  if (channel < 0 || channel >= library.mixer.fxChannelCount) return false;
  MixChannel& fx = library.mixer.fxChannels[channel];
  if (!fx.active) return false;
  fx.volume = static_cast<int8_t>(ChannelVolume(volume));
  fx.panning = panning;
  if (frequency != 0) fx.frequency = frequency;
  return true;
}
