// Sounds that loop without a seam: every component completes a whole number
// of cycles within the loop, so the loop's end runs on into its start.
#pragma once

#include <cstddef>
#include <vector>

#include "tools/sfx/random.h"

namespace music {

struct LoopedPartial {
  double frequency;     // Hz, moved to the nearest whole number of cycles per loop
  double amplitude;
  double phase;         // in cycles
  int swellCycles = 0;  // slow amplitude swells per loop
  double swellDepth = 0;
  int wobbleCycles = 0;   // slow pitch wobbles per loop
  double wobbleDepth = 0;  // phase deviation in radians
};

// `leadIn` samples followed by one loop of `loopLength` samples, at `rate`.
// The lead-in is the end of the periodic sound, faded in from silence, so
// the whole sample is continuous and the loop starts at `leadIn`.
std::vector<double> LoopedPartials(double rate, size_t leadIn, size_t loopLength,
                                   const std::vector<LoopedPartial>& partials);

// `harmonics` partials of `fundamental` with amplitude `level(h)` whose
// pitch wobbles together, slowly and by a few cents: a living tone whose
// loudness stays level (no beating between detuned voices). The upper
// partials also swell gently, each at its own pace.
std::vector<LoopedPartial> WobblingHarmonics(double fundamental, int harmonics, double (*level)(int),
                                             synth::RandomSource& random);

}  // namespace music
