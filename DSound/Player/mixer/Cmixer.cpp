// The mixing pass: turns the channels into output bytes, tick by tick, in
// chunks of the accumulation buffer, and guards itself with the busy byte.
#include "mixer/Cmixer.h"

#include <algorithm>
#include <cstring>
#include <thread>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

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

template <typename Accumulator>
void ConvertTo16Bit(const Accumulator* accumulators, uint32_t count, int shift, uint8_t* output) {
  for (uint32_t i = 0; i < count; ++i) {
    const Accumulator value = std::clamp<Accumulator>(accumulators[i] >> (16 - shift), -32768, 32767);
    const uint16_t word = static_cast<uint16_t>(value);
    output[2 * i] = static_cast<uint8_t>(word);
    output[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
}

template <typename Accumulator>
void ConvertTo8Bit(const Accumulator* accumulators, uint32_t count, int shift, uint8_t* output) {
  for (uint32_t i = 0; i < count; ++i) {
    const Accumulator value = std::clamp<Accumulator>(accumulators[i] >> (24 - shift), -128, 127);
    output[i] = static_cast<uint8_t>(value + 128);
  }
}

#if defined(__x86_64__)
// 32-bit sums, eight at a time with SSE2: the saturating packs clip exactly
// as the clamps above do (for 8 bit, 32 -> 16 -> 8 bit saturation is the
// clamp to -128..127), and flipping the top bit adds 128.
template <>
void ConvertTo16Bit(const int32_t* accumulators, uint32_t count, int shift, uint8_t* output) {
  const __m128i bits = _mm_cvtsi32_si128(16 - shift);
  uint32_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i low = _mm_sra_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(accumulators + i)), bits);
    const __m128i high = _mm_sra_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(accumulators + i + 4)), bits);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(output + 2 * i), _mm_packs_epi32(low, high));
  }
  for (; i < count; ++i) {
    const uint16_t word = static_cast<uint16_t>(std::clamp(accumulators[i] >> (16 - shift), -32768, 32767));
    output[2 * i] = static_cast<uint8_t>(word);
    output[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
}

template <>
void ConvertTo8Bit(const int32_t* accumulators, uint32_t count, int shift, uint8_t* output) {
  const __m128i bits = _mm_cvtsi32_si128(24 - shift);
  const __m128i topBit = _mm_set1_epi8(static_cast<char>(0x80));
  uint32_t i = 0;
  for (; i + 16 <= count; i += 16) {
    __m128i words[2];
    for (int half = 0; half < 2; ++half) {
      const int32_t* at = accumulators + i + 8 * half;
      words[half] = _mm_packs_epi32(_mm_sra_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), bits),
                                    _mm_sra_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 4)), bits));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(output + i),
                     _mm_xor_si128(_mm_packs_epi16(words[0], words[1]), topBit));
  }
  for (; i < count; ++i) output[i] = static_cast<uint8_t>(std::clamp(accumulators[i] >> (24 - shift), -128, 127) + 128);
}
#endif

template <typename Accumulator>
void Convert(const Accumulator* accumulators, uint32_t count, int shift, bool sixteenBit, uint8_t* output) {
  if (sixteenBit) {
    ConvertTo16Bit(accumulators, count, shift, output);
  } else {
    ConvertTo8Bit(accumulators, count, shift, output);
  }
}

bool Sounds(const MixChannel& channel, bool fx) {
  return channel.active && (fx ? channel.volume != 0 : channel.monoFactor != 0);
}

// Calls visit(channel) for every channel the chunk mixes, in mixing order.
template <typename Visit>
void ForEachSoundingChannel(MixerState& state, Visit visit) {
  const int musicCount = std::min<int>(state.musicChannelCount, kMusicChannels);
  for (int i = 0; i < musicCount; ++i) {
    if (Sounds(state.musicChannels[i], false)) visit(state.musicChannels[i]);
  }
  const int fxCount = std::min<int>(state.fxChannelCount, kFxChannels);
  for (int i = 0; i < fxCount; ++i) {
    if (Sounds(state.fxChannels[i], true)) visit(state.fxChannels[i]);
  }
}

// Whether every sum the chunk can form fits in 32 bits.
bool NarrowSumsSuffice(MixerState& state, bool stereo, int interpolation) {
  if (SelectedVoiceLoops() == VoiceLoopSet::Reference) return false;
  int64_t bound = 0;
  ForEachSoundingChannel(state, [&](const MixChannel& channel) {
    bound += VoiceSumBound(channel, stereo, interpolation);
  });
  return bound < (int64_t{1} << 31);
}

// Mixes every sounding channel into the accumulators for one chunk.
template <typename Accumulator>
void MixChunk(MixSettings& settings, MixerState& state, Accumulator* accumulators, uint32_t frames,
              bool stereo, int interpolation) {
  const uint32_t count = stereo ? 2 * frames : frames;
  std::fill_n(accumulators, count, 0);
  ForEachSoundingChannel(state, [&](MixChannel& channel) {
    MixVoice(settings, channel, accumulators, frames, stereo, interpolation);
  });
}

// Renders a whole number of frames that lie within one tick.
void RenderPiece(MixSettings& settings, MixerState& state, uint8_t* output, uint32_t frames,
                 uint8_t formatFlags) {
  const bool stereo = formatFlags & kFormatStereo;
  const bool sixteenBit = formatFlags & kFormat16Bit;
  while (frames > 0) {
    const uint32_t chunk = std::min(frames, settings.maxFramesPerChunk);
    const uint32_t count = stereo ? 2 * chunk : chunk;
    const int interpolation = settings.interpolation.load();
    if (NarrowSumsSuffice(state, stereo, interpolation)) {
      MixChunk(settings, state, settings.narrowMixBuffer, chunk, stereo, interpolation);
      Convert(settings.narrowMixBuffer, count, settings.outputShift, sixteenBit, output);
    } else {
      MixChunk(settings, state, settings.mixBuffer, chunk, stereo, interpolation);
      Convert(settings.mixBuffer, count, settings.outputShift, sixteenBit, output);
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
