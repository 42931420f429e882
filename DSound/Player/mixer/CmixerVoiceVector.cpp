// The voice loops with the processor's vector instructions: eight frames at a
// time with AVX2 (chosen at start-up where the processor has it), four with
// SSE2 (always there on x86-64; without interpolation only, where it pays). They compute exactly what the portable
// loop computes, in the same 32-bit integers: positions, sample reads,
// interpolation, products and sums.
#include "mixer/CmixerVoiceVector.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace {

// Frames from the start of a run whose sample index stays at or below
// lastIndex (all of them for a backward run that starts there).
uint32_t FramesUpTo(uint32_t position, int32_t step, uint32_t frames, int64_t lastIndex) {
  if (lastIndex < 0) return 0;
  const uint64_t lastSafe = (static_cast<uint64_t>(lastIndex) << 11) | 0x7FF;
  if (position > lastSafe) return 0;
  if (step <= 0) return frames;
  return static_cast<uint32_t>(std::min<uint64_t>(frames, (lastSafe - position) / static_cast<uint32_t>(step) + 1));
}

// Frames at the start of a backward run that are not yet at or below
// lastIndex.
uint32_t FramesAbove(uint32_t position, int32_t step, uint32_t frames, int64_t lastIndex) {
  if (step >= 0) return 0;
  if (lastIndex < 0) return frames;
  const uint64_t lastSafe = (static_cast<uint64_t>(lastIndex) << 11) | 0x7FF;
  if (position <= lastSafe) return 0;
  const uint64_t stride = static_cast<uint64_t>(-static_cast<int64_t>(step));
  return static_cast<uint32_t>(std::min<uint64_t>(frames, (position - lastSafe + stride - 1) / stride));
}

// The last sample a gathering body may start a frame at: a gather reads 32
// bits from each sample, which for 8-bit data reaches three bytes further
// while the data has only two guard bytes; 16-bit reads end on a guard.
template <bool SixteenBit>
int64_t LastGatherIndex(const VoiceData& voice) {
  return SixteenBit ? int64_t{voice.length} : int64_t{voice.length} - 2;
}

// Runs frames with the vector body Body::Run (which takes Body::kWidth
// frames at a time), leaving what it cannot take safely or whole to the
// portable loop.
template <typename Body, int Interpolation, bool Stereo, bool SixteenBit>
uint32_t RunVector(const VoiceData& voice, uint32_t position, int32_t step, uint32_t frames,
                   int32_t* accumulators, const uint32_t factors[3]) {
  constexpr auto portable = RunVoice<Interpolation, Stereo, SixteenBit, int32_t>;
  constexpr uint32_t channels = Stereo ? 2 : 1;
  const int64_t lastIndex = LastGatherIndex<SixteenBit>(voice);
  // A backward run takes its first frames one by one until its reads are
  // safe; a forward run leaves the frames past the last safe sample.
  const uint32_t leading = FramesAbove(position, step, frames, lastIndex);
  position = portable(voice, position, step, leading, accumulators, factors);
  accumulators += leading * channels;
  frames -= leading;
  const uint32_t safe = FramesUpTo(position, step, frames, lastIndex);
  const uint32_t vectorFrames = safe - safe % Body::kWidth;
  position = Body::template Run<Interpolation, Stereo, SixteenBit>(voice.samples, position, step, vectorFrames,
                                                                  accumulators, factors);
  accumulators += vectorFrames * channels;
  return portable(voice, position, step, frames - vectorFrames, accumulators, factors);
}

// ---------------------------------------------------------------------------
// AVX2: eight frames, samples fetched with gathers.

#define QUELT_AVX2 __attribute__((target("avx2")))

// Eight frames at a time: Body::Interpolate gives the eight values from the
// first frame's sample index and the eight positions; Avx2Body adds them in.
template <typename Body, int Interpolation, bool Stereo, bool SixteenBit>
QUELT_AVX2 uint32_t RunEights(const void* samples, uint32_t position, int32_t step, uint32_t frames,
                              int32_t* accumulators, const uint32_t factors[3]);

struct Avx2Body {
  static constexpr uint32_t kWidth = 8;

  // The samples at index, index + 1 and index + 2 of eight positions.
  template <bool SixteenBit>
  QUELT_AVX2 static void Fetch(const void* samples, __m256i index, __m256i& x0, __m256i& x1, __m256i& x2) {
    if constexpr (SixteenBit) {
      const __m256i pair = _mm256_i32gather_epi32(static_cast<const int*>(samples), index, 2);
      const __m256i next = _mm256_i32gather_epi32(static_cast<const int*>(samples),
                                                  _mm256_add_epi32(index, _mm256_set1_epi32(1)), 2);
      x0 = _mm256_srai_epi32(_mm256_slli_epi32(pair, 16), 16);
      x1 = _mm256_srai_epi32(pair, 16);
      x2 = _mm256_srai_epi32(next, 16);
    } else {
      const __m256i bytes = _mm256_i32gather_epi32(static_cast<const int*>(samples), index, 1);
      x0 = _mm256_srai_epi32(_mm256_slli_epi32(bytes, 24), 24);
      x1 = _mm256_srai_epi32(_mm256_slli_epi32(bytes, 16), 24);
      x2 = _mm256_srai_epi32(_mm256_slli_epi32(bytes, 8), 24);
    }
  }

  template <int Interpolation, bool SixteenBit>
  QUELT_AVX2 static __m256i Interpolate(const void* samples, uint32_t /*first*/, __m256i position) {
    const __m256i index = _mm256_srli_epi32(position, 11);
    __m256i x0, x1, x2;
    if constexpr (Interpolation == 0 && SixteenBit) {
      // One sample each: gather 16-bit words without reading a pair.
      x0 = _mm256_srai_epi32(
          _mm256_slli_epi32(_mm256_i32gather_epi32(static_cast<const int*>(samples), index, 2), 16), 16);
      return x0;
    }
    Fetch<SixteenBit>(samples, index, x0, x1, x2);
    if constexpr (Interpolation == 0) return x0;
    const __m256i fraction = _mm256_and_si256(position, _mm256_set1_epi32(0x7FF));
    if constexpr (Interpolation == 1) {
      return Avx2Body::Line(x0, x1, fraction);
    } else {
      return Parabola(x0, x1, x2, fraction);
    }
  }

  // The positions of eight frames from a position on.
  QUELT_AVX2 static __m256i FirstPositions(uint32_t position, int32_t step) {
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    return _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(position)),
                            _mm256_mullo_epi32(lanes, _mm256_set1_epi32(step)));
  }

  // The line between two samples at the fraction, as the portable loop
  // computes it.
  QUELT_AVX2 static __m256i Line(__m256i x0, __m256i x1, __m256i fraction) {
    return _mm256_add_epi32(x0, _mm256_srai_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(x1, x0), fraction), 11));
  }

  // The parabola through three samples at the fraction, as the portable loop
  // computes it.
  QUELT_AVX2 static __m256i Parabola(__m256i x0, __m256i x1, __m256i x2, __m256i fraction) {
    const __m256i curve = _mm256_sub_epi32(_mm256_add_epi32(x2, x0), _mm256_add_epi32(x1, x1));
    const __m256i bend = _mm256_srai_epi32(_mm256_mullo_epi32(fraction, curve), 11);
    const __m256i x1Four = _mm256_slli_epi32(x1, 2);
    const __m256i x0Three = _mm256_add_epi32(x0, _mm256_add_epi32(x0, x0));
    const __m256i inner = _mm256_sub_epi32(_mm256_sub_epi32(_mm256_add_epi32(bend, x1Four), x2), x0Three);
    return _mm256_add_epi32(x0, _mm256_srai_epi32(_mm256_mullo_epi32(inner, fraction), 12));
  }

  // Adds eight frames' values times the factors into the accumulators from
  // the given frame on.
  template <bool Stereo>
  QUELT_AVX2 static void Accumulate(__m256i y, int32_t* accumulators, uint32_t frame, const uint32_t factors[3]) {
    if constexpr (Stereo) {
      const __m256i l = _mm256_mullo_epi32(y, _mm256_set1_epi32(static_cast<int32_t>(factors[1])));
      const __m256i r = _mm256_mullo_epi32(y, _mm256_set1_epi32(static_cast<int32_t>(factors[2])));
      const __m256i low = _mm256_unpacklo_epi32(l, r);   // l0 r0 l1 r1 | l4 r4 l5 r5
      const __m256i high = _mm256_unpackhi_epi32(l, r);  // l2 r2 l3 r3 | l6 r6 l7 r7
      __m256i* out = reinterpret_cast<__m256i*>(accumulators + 2 * frame);
      _mm256_storeu_si256(out, _mm256_add_epi32(_mm256_loadu_si256(out), _mm256_permute2x128_si256(low, high, 0x20)));
      _mm256_storeu_si256(out + 1,
                          _mm256_add_epi32(_mm256_loadu_si256(out + 1), _mm256_permute2x128_si256(low, high, 0x31)));
    } else {
      const __m256i m = _mm256_mullo_epi32(y, _mm256_set1_epi32(static_cast<int32_t>(factors[0])));
      __m256i* out = reinterpret_cast<__m256i*>(accumulators + frame);
      _mm256_storeu_si256(out, _mm256_add_epi32(_mm256_loadu_si256(out), m));
    }
  }

  template <int Interpolation, bool Stereo, bool SixteenBit>
  QUELT_AVX2 static uint32_t Run(const void* samples, uint32_t position, int32_t step, uint32_t frames,
                                 int32_t* accumulators, const uint32_t factors[3]) {
    return RunEights<Avx2Body, Interpolation, Stereo, SixteenBit>(samples, position, step, frames, accumulators,
                                                                  factors);
  }
};

// AVX2 for forward runs of at most 1.85 samples a frame (most music: samples
// played near or below their rate): eight frames read at most 16 samples
// from the first one, so one 16-sample load and lane permutes fetch them
// without gathers; at most 0.71 samples a frame, eight samples and one
// permute each suffice (Narrow). The load must stay inside the data: the
// caller gives it only frames far enough from the data's end.
template <bool Narrow>
struct Avx2WindowBody {
  static constexpr uint32_t kWidth = 8;
  static constexpr uint32_t kSamples = Narrow ? 8 : 16;
  // Largest step whose eight frames' last x2 (offset ((2047 + 7 step) >> 11)
  // + 2) stays inside the window.
  static constexpr int32_t kMaxStep = ((kSamples - 2) * 2048 - 2048) / 7;
  static_assert(((2047 + 7 * kMaxStep) >> 11) + 2 <= kSamples - 1);

  template <bool SixteenBit>
  QUELT_AVX2 static void Load(const void* samples, uint32_t first, __m256i& low, __m256i& high) {
    if constexpr (SixteenBit) {
      const int16_t* at = static_cast<const int16_t*>(samples) + first;
      if constexpr (Narrow) {
        low = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
      } else {
        const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
        low = _mm256_cvtepi16_epi32(_mm256_castsi256_si128(words));
        high = _mm256_cvtepi16_epi32(_mm256_extracti128_si256(words, 1));
      }
    } else {
      const int8_t* at = static_cast<const int8_t*>(samples) + first;
      if constexpr (Narrow) {
        low = _mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
      } else {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        low = _mm256_cvtepi8_epi32(bytes);
        high = _mm256_cvtepi8_epi32(_mm_srli_si128(bytes, 8));
      }
    }
  }

  // The window's samples at the given offsets.
  QUELT_AVX2 static __m256i Pick(__m256i low, __m256i high, __m256i offset) {
    const __m256i fromLow = _mm256_permutevar8x32_epi32(low, offset);
    if constexpr (Narrow) return fromLow;
    const __m256i fromHigh = _mm256_permutevar8x32_epi32(high, offset);
    const __m256i useHigh = _mm256_cmpgt_epi32(offset, _mm256_set1_epi32(7));
    return _mm256_blendv_epi8(fromLow, fromHigh, useHigh);
  }

  template <int Interpolation, bool SixteenBit>
  QUELT_AVX2 static __m256i Interpolate(const void* samples, uint32_t first, __m256i position) {
    __m256i low, high = _mm256_setzero_si256();
    Load<SixteenBit>(samples, first, low, high);
    const __m256i offset =
        _mm256_sub_epi32(_mm256_srli_epi32(position, 11), _mm256_set1_epi32(static_cast<int32_t>(first)));
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i x0 = Pick(low, high, offset);
    if constexpr (Interpolation == 0) return x0;
    const __m256i x1 = Pick(low, high, _mm256_add_epi32(offset, one));
    const __m256i fraction = _mm256_and_si256(position, _mm256_set1_epi32(0x7FF));
    if constexpr (Interpolation == 1) {
      return Avx2Body::Line(x0, x1, fraction);
    } else {
      const __m256i x2 = Pick(low, high, _mm256_add_epi32(offset, _mm256_add_epi32(one, one)));
      return Avx2Body::Parabola(x0, x1, x2, fraction);
    }
  }

  template <int Interpolation, bool Stereo, bool SixteenBit>
  QUELT_AVX2 static uint32_t Run(const void* samples, uint32_t position, int32_t step, uint32_t frames,
                                 int32_t* accumulators, const uint32_t factors[3]) {
    return RunEights<Avx2WindowBody, Interpolation, Stereo, SixteenBit>(samples, position, step, frames,
                                                                        accumulators, factors);
  }
};

// ---------------------------------------------------------------------------
// SSE2: four frames without interpolation; samples are read one by one (SSE2
// has no gather), products and sums run on all four.

struct Sse2Body {
  static constexpr uint32_t kWidth = 4;

  // The low 32 bits of four 32-bit products (SSE2 multiplies two at a time).
  static __m128i MultiplyLow(__m128i a, __m128i b) {
    const __m128i even = _mm_mul_epu32(a, b);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
  }

  template <int Interpolation, bool Stereo, bool SixteenBit>
  static uint32_t Run(const void* data, uint32_t position, int32_t step, uint32_t frames, int32_t* accumulators,
                      const uint32_t factors[3]) {
    static_assert(Interpolation == 0);
    using Sample = std::conditional_t<SixteenBit, int16_t, int8_t>;
    const Sample* samples = static_cast<const Sample*>(data);
    const uint32_t stride = static_cast<uint32_t>(step);
    const __m128i mono = _mm_set1_epi32(static_cast<int32_t>(factors[0]));
    const __m128i left = _mm_set1_epi32(static_cast<int32_t>(factors[1]));
    const __m128i right = _mm_set1_epi32(static_cast<int32_t>(factors[2]));
    for (uint32_t frame = 0; frame < frames; frame += 4) {
      // Built in registers (four stores and a vector load would stall).
      const __m128i y = _mm_set_epi32(samples[(position + 3 * stride) >> 11], samples[(position + 2 * stride) >> 11],
                                      samples[(position + stride) >> 11], samples[position >> 11]);
      position += 4 * stride;
      if constexpr (Stereo) {
        const __m128i l = MultiplyLow(y, left);
        const __m128i r = MultiplyLow(y, right);
        __m128i* out = reinterpret_cast<__m128i*>(accumulators + 2 * frame);
        _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), _mm_unpacklo_epi32(l, r)));
        _mm_storeu_si128(out + 1, _mm_add_epi32(_mm_loadu_si128(out + 1), _mm_unpackhi_epi32(l, r)));
      } else {
        __m128i* out = reinterpret_cast<__m128i*>(accumulators + frame);
        _mm_storeu_si128(out, _mm_add_epi32(_mm_loadu_si128(out), MultiplyLow(y, mono)));
      }
    }
    return position;
  }
};

template <typename Window, int Interpolation, bool Stereo, bool SixteenBit>
uint32_t TakeWindows(const VoiceData& voice, uint32_t& position, int32_t step, uint32_t frames,
                     int32_t* accumulators, const uint32_t factors[3]) {
  const uint32_t safe = FramesUpTo(position, step, frames, int64_t{voice.length} + 1 - (Window::kSamples - 1));
  const uint32_t taken = safe - safe % Window::kWidth;
  position = Window::template Run<Interpolation, Stereo, SixteenBit>(voice.samples, position, step, taken,
                                                                     accumulators, factors);
  return taken;
}

struct Sse2Loops {
  template <int Interpolation, bool Stereo, bool SixteenBit>
  static uint32_t Run(const VoiceData& voice, uint32_t position, int32_t step, uint32_t frames,
                      int32_t* accumulators, const uint32_t factors[3]) {
    return RunVector<Sse2Body, Interpolation, Stereo, SixteenBit>(voice, position, step, frames, accumulators,
                                                                  factors);
  }
};

// Slow forward runs take windows while the data lasts; the rest gathers.
struct Avx2Loops {
  template <int Interpolation, bool Stereo, bool SixteenBit>
  static uint32_t Run(const VoiceData& voice, uint32_t position, int32_t step, uint32_t frames,
                      int32_t* accumulators, const uint32_t factors[3]) {
    if (step > 0 && step <= Avx2WindowBody<false>::kMaxStep) {
      const uint32_t taken =
          step <= Avx2WindowBody<true>::kMaxStep
              ? TakeWindows<Avx2WindowBody<true>, Interpolation, Stereo, SixteenBit>(voice, position, step, frames,
                                                                                     accumulators, factors)
              : TakeWindows<Avx2WindowBody<false>, Interpolation, Stereo, SixteenBit>(voice, position, step, frames,
                                                                                      accumulators, factors);
      accumulators += taken * (Stereo ? 2 : 1);
      frames -= taken;
    }
    return RunVector<Avx2Body, Interpolation, Stereo, SixteenBit>(voice, position, step, frames, accumulators,
                                                                  factors);
  }
};

template <typename Loops, int Interpolation>
constexpr void SetVectorLoops(VoiceLoopTable<int32_t>& table) {
  table.loops[Interpolation][0][0] = Loops::template Run<Interpolation, false, false>;
  table.loops[Interpolation][0][1] = Loops::template Run<Interpolation, false, true>;
  table.loops[Interpolation][1][0] = Loops::template Run<Interpolation, true, false>;
  table.loops[Interpolation][1][1] = Loops::template Run<Interpolation, true, true>;
}

template <typename Loops>
constexpr VoiceLoopTable<int32_t> VectorLoops() {
  VoiceLoopTable<int32_t> table;
  SetVectorLoops<Loops, 0>(table);
  SetVectorLoops<Loops, 1>(table);
  SetVectorLoops<Loops, 2>(table);
  return table;
}

// SSE2 has neither gathers nor a 32-bit multiply: its interpolating loops
// (two to five emulated multiplies per four frames) measured slower than the
// portable loop, so only the loops without interpolation are SSE2's.
template <typename Body, int Interpolation, bool Stereo, bool SixteenBit>
QUELT_AVX2 uint32_t RunEights(const void* samples, uint32_t position, int32_t step, uint32_t frames,
                              int32_t* accumulators, const uint32_t factors[3]) {
  __m256i positions = Avx2Body::FirstPositions(position, step);
  const __m256i advance = _mm256_set1_epi32(static_cast<int32_t>(static_cast<uint32_t>(step) * 8u));
  for (uint32_t frame = 0; frame < frames; frame += 8) {
    const uint32_t first = (position + static_cast<uint32_t>(step) * frame) >> 11;
    Avx2Body::Accumulate<Stereo>(Body::template Interpolate<Interpolation, SixteenBit>(samples, first, positions),
                                 accumulators, frame, factors);
    positions = _mm256_add_epi32(positions, advance);
  }
  return position + static_cast<uint32_t>(step) * frames;
}

constexpr VoiceLoopTable<int32_t> Sse2Table() {
  VoiceLoopTable<int32_t> table;
  SetVectorLoops<Sse2Loops, 0>(table);
  SetPortableLoops<1>(table);
  SetPortableLoops<2>(table);
  return table;
}

constexpr VoiceLoopTable<int32_t> kAvx2Loops = VectorLoops<Avx2Loops>();
constexpr VoiceLoopTable<int32_t> kSse2Loops = Sse2Table();

}  // namespace

const VoiceLoopTable<int32_t>& Avx2VoiceLoops() { return kAvx2Loops; }
const VoiceLoopTable<int32_t>& Sse2VoiceLoops() { return kSse2Loops; }

#endif
