// Sound sources: oscillators with a frequency that may glide, sums of
// decaying partials, noise, sparse crackle and a plucked string.
#pragma once

#include <span>

#include "tools/sfx/random.h"
#include "tools/sfx/signal.h"

namespace synth {

enum class Waveform { Sine, Triangle, Saw, Square };

// An oscillator following `frequency` (Hz over time). Saw and square are
// band-limited (polyBLEP), so gliding tones do not alias.
Signal Oscillator(double rate, double seconds, Waveform waveform, const Curve& frequency,
                  double startPhase = 0);

// One sine component: frequency as a multiple of the fundamental, amplitude,
// exponential decay time constant (0 = steady) and starting phase in cycles.
struct Partial {
  double ratio;
  double amplitude;
  double decaySeconds = 0;
  double phase = 0;
};
Signal Partials(double rate, double seconds, double fundamental, std::span<const Partial> partials);

Signal WhiteNoise(double rate, double seconds, RandomSource& random);

// Sparse single-sample clicks of random sign and size, `density` of them per
// second on average (the density may change over time).
Signal Crackle(double rate, double seconds, const Curve& density, RandomSource& random);

// A plucked string (Karplus-Strong): a burst of noise, smoothed by
// `softness` (0 = bright, towards 1 = dull), circulating in a delay line of
// one period through a two-point average; the tone falls by 1/e in about
// `decaySeconds`.
Signal Pluck(double rate, double seconds, double frequency, double decaySeconds, double softness,
             RandomSource& random);

}  // namespace synth
