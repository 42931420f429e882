// The mixing pass: turns the channels into output bytes, tick by tick, in
// chunks of the accumulation buffer, and guards itself with the busy byte.
#include "mixer/Cmixer.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "mixer/CmixerTick.h"
#include "mixer/CmixerVoice.h"

MixerClaim::MixerClaim(MixerState& state) : state_(state) {
  uint8_t expected = kMixerIdle;
  while (!state_.busy.compare_exchange_weak(expected, kMixerClaimed, std::memory_order_acquire)) {
    expected = kMixerIdle;
    std::this_thread::yield();
  }
}

MixerClaim::~MixerClaim() { state_.busy.store(kMixerIdle, std::memory_order_release); }

namespace {

// Takes the busy byte for a pass. A pass already running means this call
// returns without writing; a client holding the mixer is waited for.
bool BeginPass(MixerState& state) {
  uint8_t expected = kMixerIdle;
  while (!state.busy.compare_exchange_weak(expected, kMixerMixing, std::memory_order_acquire)) {
    if (expected == kMixerMixing) return false;
    expected = kMixerIdle;
    std::this_thread::yield();
  }
  return true;
}

void SetScales(MixSettings& settings, const MixerState& state, bool stereo) {
  settings.maxFramesPerChunk = stereo ? kMixBufferEntries / 2 : kMixBufferEntries;
  settings.outputShift = static_cast<uint8_t>((state.musicChannelCount >> 3) + 1 + (stereo ? 1 : 0));
  if (state.fxChannelCount != 0) {
    const uint32_t perChannel = ((1u << 23) >> (settings.outputShift - 1)) / (state.fxChannelCount / 4u + 1);
    settings.fxScale = (settings.fxVolume.load() * perChannel) >> 7;
  }
  if (state.musicChannelCount != 0) {
    settings.musicScale = ((1u << 23) / state.musicChannelCount) * settings.musicVolume.load() >> 7;
  }
}

void ConvertTo16Bit(const int64_t* accumulators, uint32_t count, int shift, uint8_t* output) {
  for (uint32_t i = 0; i < count; ++i) {
    const int64_t value = std::clamp<int64_t>(accumulators[i] >> (16 - shift), -32768, 32767);
    const uint16_t word = static_cast<uint16_t>(value);
    output[2 * i] = static_cast<uint8_t>(word);
    output[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
}

void ConvertTo8Bit(const int64_t* accumulators, uint32_t count, int shift, uint8_t* output) {
  for (uint32_t i = 0; i < count; ++i) {
    const int64_t value = std::clamp<int64_t>(accumulators[i] >> (24 - shift), -128, 127);
    output[i] = static_cast<uint8_t>(value + 128);
  }
}

// Mixes every sounding channel into the accumulators for one chunk.
void MixChunk(MixSettings& settings, MixerState& state, uint32_t frames, bool stereo) {
  const uint32_t count = stereo ? 2 * frames : frames;
  std::fill_n(settings.mixBuffer, count, 0);
  const int interpolation = settings.interpolation.load();
  const int musicCount = std::min<int>(state.musicChannelCount, kMusicChannels);
  for (int i = 0; i < musicCount; ++i) {
    MixChannel& channel = state.musicChannels[i];
    if (channel.active && channel.monoFactor != 0) {
      MixVoice(settings, channel, settings.mixBuffer, frames, stereo, interpolation);
    }
  }
  const int fxCount = std::min<int>(state.fxChannelCount, kFxChannels);
  for (int i = 0; i < fxCount; ++i) {
    MixChannel& channel = state.fxChannels[i];
    if (channel.active && channel.volume != 0) {
      MixVoice(settings, channel, settings.mixBuffer, frames, stereo, interpolation);
    }
  }
}

// Renders a whole number of frames that lie within one tick.
void RenderPiece(MixSettings& settings, MixerState& state, uint8_t* output, uint32_t frames,
                 uint8_t formatFlags) {
  const bool stereo = formatFlags & kFormatStereo;
  const bool sixteenBit = formatFlags & kFormat16Bit;
  while (frames > 0) {
    const uint32_t chunk = std::min(frames, settings.maxFramesPerChunk);
    MixChunk(settings, state, chunk, stereo);
    const uint32_t count = stereo ? 2 * chunk : chunk;
    if (sixteenBit) {
      ConvertTo16Bit(settings.mixBuffer, count, settings.outputShift, output);
    } else {
      ConvertTo8Bit(settings.mixBuffer, count, settings.outputShift, output);
    }
    output += count * (sixteenBit ? 2 : 1);
    frames -= chunk;
  }
}

}  // namespace

void Mix(MixSettings& settings, void* output, uint32_t byteCount) {
  MixerState& state = *settings.mixerState;
  if (!BeginPass(state)) return;
  const uint8_t formatFlags = settings.formatFlags.load();
  const uint32_t frameBytes = BytesPerFrame(formatFlags);
  SetScales(settings, state, formatFlags & kFormatStereo);
  uint8_t* bytes = static_cast<uint8_t*>(output);
  uint32_t remaining = byteCount - byteCount % frameBytes;
  // A region that ends in a partial frame gets silence in its last bytes.
  std::memset(bytes + remaining, (formatFlags & kFormat16Bit) ? 0 : 128, byteCount - remaining);
  while (remaining > 0) {
    if (settings.tickCounter <= 0) MixTick(settings);
    uint32_t piece = std::min(remaining, static_cast<uint32_t>(std::max(settings.tickCounter, 0)));
    piece = std::max(piece - piece % frameBytes, frameBytes);
    RenderPiece(settings, state, bytes, piece / frameBytes, formatFlags);
    bytes += piece;
    remaining -= piece;
    settings.tickCounter -= static_cast<int32_t>(piece);
  }
  state.busy.store(kMixerIdle, std::memory_order_release);
}

bool SetMixFormat(MixSettings& settings, uint16_t rate, bool stereo, bool sixteenBit) {
  if (rate == 0) return false;
  settings.formatFlags = static_cast<uint8_t>((stereo ? kFormatStereo : 0) | (sixteenBit ? kFormat16Bit : 0));
  settings.rate = rate;
  settings.tickCounter &= ~3;
  return true;
}
