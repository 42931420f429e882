// The voice loops: resampling one voice into the accumulation buffer.
#pragma once

#include <cstdint>

#include "mixer/Cmixer.h"

// Resamples one voice into frames accumulators (interleaved left/right in
// stereo), up to its loop points, and ends it when a non-looping sample runs
// out. The interpolation is 0 none, 1 linear, 2 quadratic.
// With 64-bit accumulators it always runs the portable loops; with 32-bit
// ones the selected loops, and only when VoiceSumBound of every voice of the
// chunk adds up to less than 2^31 (then every sum is exact in 32 bits).
void MixVoice(MixSettings& settings, MixChannel& channel, int64_t* accumulators, uint32_t frames,
              bool stereo, int interpolation);
void MixVoice(MixSettings& settings, MixChannel& channel, int32_t* accumulators, uint32_t frames,
              bool stereo, int interpolation);

// The most one voice can add to an accumulator in one frame.
int64_t VoiceSumBound(const MixChannel& channel, bool stereo, int interpolation);

// Which loops mix with 32-bit accumulators: vector loops where the processor
// has them (chosen at start-up), or the portable ones. Reference: always the
// portable loops on 64-bit accumulators (the mixer as it was first written;
// benchmarks compare with it).
enum class VoiceLoopSet : uint8_t { Reference, Portable, Sse2, Avx2 };
void SelectVoiceLoops(VoiceLoopSet set);
VoiceLoopSet SelectedVoiceLoops();
