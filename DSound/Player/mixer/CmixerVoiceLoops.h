// What the voice loops share: the loop's signature, the tables they are
// picked from (by interpolation, stereo output and 16-bit data), and the
// portable loop every other is measured against.
#pragma once

#include <cstdint>
#include <type_traits>

// The data a voice plays: signed 8- or 16-bit samples, two guard samples
// behind the last.
struct VoiceData {
  const void* samples;
  uint32_t length;
};

// Renders frames of one voice from a 21.11 position with a step, adding into
// the accumulators (interleaved left/right in stereo) with the factors
// (mono, left, right); returns the position after the last frame. Every
// position it reads lies inside the data.
template <typename Accumulator>
using VoiceLoop = uint32_t (*)(const VoiceData& voice, uint32_t position, int32_t step, uint32_t frames,
                               Accumulator* accumulators, const uint32_t factors[3]);

// Indexed by interpolation (0-2), stereo, 16-bit data.
template <typename Accumulator>
struct VoiceLoopTable {
  VoiceLoop<Accumulator> loops[3][2][2] = {};
};

// The portable loop: one frame at a time. With 32-bit accumulators the
// caller has made sure that no sum of products can leave 32 bits.
template <int Interpolation, bool Stereo, bool SixteenBit, typename Accumulator>
uint32_t RunVoice(const VoiceData& voice, uint32_t position, int32_t step, uint32_t frames,
                  Accumulator* accumulators, const uint32_t factors[3]) {
  using Sample = std::conditional_t<SixteenBit, int16_t, int8_t>;
  const Sample* samples = static_cast<const Sample*>(voice.samples);
  const Accumulator mono = static_cast<Accumulator>(factors[0]);
  const Accumulator left = static_cast<Accumulator>(factors[1]);
  const Accumulator right = static_cast<Accumulator>(factors[2]);
  for (uint32_t frame = 0; frame < frames; ++frame) {
    const uint32_t index = position >> 11;
    const int32_t fraction = static_cast<int32_t>(position & 0x7FF);
    const int32_t x0 = samples[index];
    int32_t y;
    if constexpr (Interpolation == 0) {
      y = x0;
    } else if constexpr (Interpolation == 1) {
      const int32_t x1 = samples[index + 1];
      y = x0 + (((x1 - x0) * fraction) >> 11);
    } else {
      const int32_t x1 = samples[index + 1];
      const int32_t x2 = samples[index + 2];
      // The parabola through the three samples, evaluated at the fraction.
      y = x0 + (((((fraction * (x2 + x0 - 2 * x1)) >> 11) + 4 * x1 - x2 - 3 * x0) * fraction) >> 12);
    }
    if constexpr (Stereo) {
      accumulators[0] += y * left;
      accumulators[1] += y * right;
      accumulators += 2;
    } else {
      accumulators[0] += y * mono;
      accumulators += 1;
    }
    position += static_cast<uint32_t>(step);
  }
  return position;
}

template <int Interpolation, typename Accumulator>
constexpr void SetPortableLoops(VoiceLoopTable<Accumulator>& table) {
  table.loops[Interpolation][0][0] = RunVoice<Interpolation, false, false, Accumulator>;
  table.loops[Interpolation][0][1] = RunVoice<Interpolation, false, true, Accumulator>;
  table.loops[Interpolation][1][0] = RunVoice<Interpolation, true, false, Accumulator>;
  table.loops[Interpolation][1][1] = RunVoice<Interpolation, true, true, Accumulator>;
}

// The largest |y| an interpolation can give from data of a width (the
// parabola overshoots its samples by at most a quarter of their range).
constexpr int64_t MaxInterpolated(int interpolation, bool sixteenBit) {
  const int64_t range = sixteenBit ? 32768 : 128;
  return interpolation == 2 ? range * 5 / 4 + 4 : range;
}
