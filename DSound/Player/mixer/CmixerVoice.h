// The voice loops: resampling one voice into the accumulation buffer.
#pragma once

#include <cstdint>

#include "mixer/Cmixer.h"

// Resamples one voice into frames accumulators (interleaved left/right in
// stereo), up to its loop points, and ends it when a non-looping sample runs
// out. The interpolation is 0 none, 1 linear, 2 quadratic.
void MixVoice(MixSettings& settings, MixChannel& channel, int64_t* accumulators, uint32_t frames,
              bool stereo, int interpolation);
