#include "tools/sfx/oscillator.h"

#include <cmath>
#include <vector>

namespace synth {
namespace {

const double kTwoPi = 2.0 * std::acos(-1.0);

// The polyBLEP correction around a discontinuity at phase 0 (phase in
// cycles, step = cycles per sample).
double PolyBlep(double phase, double step) {
  if (phase < step) {
    double t = phase / step;
    return t + t - t * t - 1.0;
  }
  if (phase > 1.0 - step) {
    double t = (phase - 1.0) / step;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double WaveValue(Waveform waveform, double phase, double step) {
  switch (waveform) {
    case Waveform::Sine:
      return std::sin(kTwoPi * phase);
    case Waveform::Triangle:
      return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    case Waveform::Saw:
      return 2.0 * phase - 1.0 - PolyBlep(phase, step);
    case Waveform::Square: {
      double half = phase + 0.5 - std::floor(phase + 0.5);
      return (phase < 0.5 ? 1.0 : -1.0) + PolyBlep(phase, step) - PolyBlep(half, step);
    }
  }
  return 0.0;
}

}  // namespace

Signal Oscillator(double rate, double seconds, Waveform waveform, const Curve& frequency,
                  double startPhase) {
  Signal out(rate, seconds);
  double phase = startPhase - std::floor(startPhase);
  for (size_t i = 0; i < out.size(); ++i) {
    double step = frequency(out.Time(i)) / rate;
    out.samples[i] = WaveValue(waveform, phase, step);
    phase += step;
    phase -= std::floor(phase);
  }
  return out;
}

Signal Partials(double rate, double seconds, double fundamental, std::span<const Partial> partials) {
  Signal out(rate, seconds);
  for (const Partial& partial : partials) {
    double frequency = fundamental * partial.ratio;
    if (frequency >= rate / 2) continue;  // would only alias
    for (size_t i = 0; i < out.size(); ++i) {
      double t = out.Time(i);
      double level = partial.amplitude;
      if (partial.decaySeconds > 0) level *= std::exp(-t / partial.decaySeconds);
      out.samples[i] += level * std::sin(kTwoPi * (frequency * t + partial.phase));
    }
  }
  return out;
}

Signal WhiteNoise(double rate, double seconds, RandomSource& random) {
  Signal out(rate, seconds);
  for (double& x : out.samples) x = random.Bipolar();
  return out;
}

Signal Crackle(double rate, double seconds, const Curve& density, RandomSource& random) {
  Signal out(rate, seconds);
  for (size_t i = 0; i < out.size(); ++i) {
    double chance = density(out.Time(i)) / rate;
    if (random.Unit() < chance) {
      double size = 0.3 + 0.7 * random.Unit();
      out.samples[i] = random.Unit() < 0.5 ? -size : size;
    }
  }
  return out;
}

Signal Pluck(double rate, double seconds, double frequency, double decaySeconds, double softness,
             RandomSource& random) {
  Signal out(rate, seconds);
  std::vector<double>& y = out.samples;
  double period = rate / frequency;
  double loopGain = std::exp(-1.0 / (frequency * decaySeconds));
  // Reads the output `delay` samples before index n, between neighbours.
  auto read = [&y](size_t n, double delay) {
    double position = static_cast<double>(n) - delay;
    if (position < 0) return 0.0;
    auto whole = static_cast<size_t>(position);
    double fraction = position - static_cast<double>(whole);
    return y[whole] * (1.0 - fraction) + y[whole + 1] * fraction;  // delay > 1: both are known
  };
  double smoothed = 0;
  auto burst = static_cast<size_t>(period);
  for (size_t n = 0; n < y.size(); ++n) {
    double excitation = 0;
    if (n < burst) {
      smoothed = softness * smoothed + (1.0 - softness) * random.Bipolar();
      excitation = smoothed;
    }
    // The average of two neighbours delays by half a sample more.
    double delayed = 0.5 * (read(n, period - 0.5) + read(n, period + 0.5));
    y[n] = excitation + loopGain * delayed;
  }
  return out;
}

}  // namespace synth
