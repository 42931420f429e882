// Once per tick: run the module player, start the voices that were asked for,
// and turn every channel's frequency, volume and panning into the fixed-point
// step and factors that the voice loops use until the next tick.
#include "mixer/CmixerTick.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "mixer/CmixerSample.h"
#include "player/ModulePlayer.h"

namespace {

uint32_t ClampFactor(int64_t value) {
  return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<uint32_t>::max()));
}

void SetStereoFactors(MixChannel& channel, const MixSettings& settings, uint32_t panning) {
  if (settings.formatFlags.load() & kFormatStereo) ApplySeparation(channel, panning, settings.stereoSeparation);
}

}  // namespace

void UpdateFxChannel(MixSettings& settings, MixChannel& channel, uint32_t rate) {
  if (channel.startRequest.exchange(0)) {
    channel.active = 1;
    channel.position = channel.startOffset << 11;
  }
  channel.step = StepForFrequency(channel.frequency, rate, channel.step);
  if (channel.step == 0) channel.active = 0;
  int64_t factor = (static_cast<int64_t>(std::max<int8_t>(channel.volume, 0)) * settings.fxScale) >> 6;
  if (channel.dataFlags & kChannel16Bit) factor >>= 8;
  channel.monoFactor = ClampFactor(factor);
  SetStereoFactors(channel, settings, channel.panning);
}

namespace {

void StartMusicVoice(const MixerState& state, MixChannel& channel) {
  channel.active = 1;
  channel.keyOn = 1;
  channel.step = 0;
  channel.fadeVolume = 65535;
  if (channel.sampleIndex == kNoSample || state.currentModule == nullptr ||
      !CopyModuleSample(*state.currentModule, channel)) {
    channel.active = 0;
    return;
  }
  // The envelopes are not applied on the tick that starts a note.
  channel.envelopeFlags = 0;
  LimitChannelSample(channel);
  channel.position = channel.startOffset << 11;
}

// A running voice given another sample without a note plays that sample's
// data on from the position it stands at; a position the new data does not
// reach goes to its loop start, or ends the voice.
void SwapMusicVoiceSample(const MixerState& state, MixChannel& channel) {
  channel.sampleSwapRequest = 0;
  if (!channel.active || state.currentModule == nullptr) return;
  if (!CopyModuleSample(*state.currentModule, channel)) {
    channel.active = 0;
    return;
  }
  LimitChannelSample(channel);
  const uint32_t index = channel.position >> 11;
  if (channel.dataFlags & kChannelLoop) {
    if (index >= channel.loopEnd) channel.position = channel.loopStart << 11;
  } else if (index >= channel.length) {
    channel.active = 0;
  }
  if (!(channel.dataFlags & kChannelPingPong)) channel.step = std::abs(channel.step);
}

uint32_t MusicPanning(const MixChannel& channel) {
  int32_t panning = channel.panning;
  if (channel.envelopeFlags & kEnvelopePanningRunning) {
    const int32_t range = panning < 128 ? panning : 256 - panning;
    const int32_t envelope = std::min<int32_t>(channel.envelopePanning, 64);
    panning += range * (envelope - 32) / 32;
  }
  return static_cast<uint32_t>(std::clamp(panning, 0, 255));
}

}  // namespace

void UpdateMusicChannel(MixSettings& settings, MixerState& state, MixChannel& channel, uint32_t rate) {
  if (channel.startRequest.exchange(0)) {
    channel.sampleSwapRequest = 0;
    StartMusicVoice(state, channel);
  } else if (channel.sampleSwapRequest) {
    SwapMusicVoiceSample(state, channel);
  }
  channel.step = StepForFrequency(channel.frequency, rate, channel.step);
  const int64_t volume = std::max<int8_t>(channel.volume, 0);
  int64_t factor = (state.globalVolume * ((volume * settings.musicScale) / 64)) >> 6;
  if (channel.fadeoutSpeed != 0) factor = factor * channel.fadeVolume / 65536;
  if (channel.envelopeFlags & kEnvelopeVolumeRunning) factor = (factor * channel.envelopeVolume) >> 6;
  if (channel.dataFlags & kChannel16Bit) factor >>= 8;
  channel.monoFactor = ClampFactor(factor);
  SetStereoFactors(channel, settings, MusicPanning(channel));
}

int32_t TickLengthBytes(const MixSettings& settings, uint8_t tempo) {
  const uint32_t bpm = std::max<uint32_t>(tempo, 1);
  const uint32_t frames = std::max<uint32_t>(settings.rate.load() * 125u / (bpm * 50u), 1);
  return static_cast<int32_t>(frames * BytesPerFrame(settings.formatFlags.load()));
}

int32_t StepForFrequency(uint32_t frequency, uint32_t rate, int32_t previousStep) {
  if (rate == 0) return 0;
  const uint64_t magnitude = (static_cast<uint64_t>(frequency / rate) << 11) |
                             (static_cast<uint64_t>(frequency % rate) * 2048 / rate);
  const int32_t step = static_cast<int32_t>(std::min<uint64_t>(magnitude, 1u << 30));
  return previousStep < 0 ? -step : step;
}

void ApplySeparation(MixChannel& channel, uint32_t panning, uint8_t separation) {
  const uint32_t q = separation == 255 ? panning : (separation * panning) / 255 + (255u - separation) / 2;
  channel.leftFactor = static_cast<uint32_t>((static_cast<uint64_t>(channel.monoFactor) * (255 - q)) >> 8);
  channel.rightFactor = static_cast<uint32_t>((static_cast<uint64_t>(channel.monoFactor) * q) >> 8);
}

void MixTick(MixSettings& settings) {
  MixerState& state = *settings.mixerState;
  const uint32_t rate = settings.rate;
  if (state.playing) PlayerTick(state);
  const int fxCount = std::min<int>(state.fxChannelCount, kFxChannels);
  for (int i = 0; i < fxCount; ++i) UpdateFxChannel(settings, state.fxChannels[i], rate);
  if (!state.playing) {
    settings.tickCounter = 4096;
    state.musicChannelCount = 0;
    return;
  }
  settings.tickCounter = TickLengthBytes(settings, state.tempo);
  const int musicCount = std::min<int>(state.musicChannelCount, kMusicChannels);
  for (int i = 0; i < musicCount; ++i) UpdateMusicChannel(settings, state, state.musicChannels[i], rate);
}
