#include "tools/music/looped.h"

#include <cmath>

namespace music {

std::vector<double> LoopedPartials(double rate, size_t leadIn, size_t loopLength,
                                   const std::vector<LoopedPartial>& partials) {
  const double twoPi = 2.0 * std::acos(-1.0);
  const double loop = static_cast<double>(loopLength);
  std::vector<double> out(leadIn + loopLength, 0.0);
  for (const LoopedPartial& partial : partials) {
    double cycles = std::round(partial.frequency * loop / rate);
    if (cycles < 1 || cycles >= loop / 2) continue;
    for (size_t i = 0; i < out.size(); ++i) {
      // Sample i plays position i - leadIn of the loop (the lead-in wraps).
      double position = std::fmod(static_cast<double>(i) - static_cast<double>(leadIn) + loop, loop) / loop;
      double level = partial.amplitude;
      if (partial.swellCycles > 0) {
        level *= 1.0 + partial.swellDepth * std::sin(twoPi * partial.swellCycles * position);
      }
      double wobble = partial.wobbleDepth * std::sin(twoPi * partial.wobbleCycles * position);
      out[i] += level * std::sin(twoPi * (cycles * position + partial.phase) + wobble);
    }
  }
  for (size_t i = 0; i < leadIn; ++i) {
    out[i] *= 0.5 - 0.5 * std::cos(twoPi / 2 * static_cast<double>(i) / static_cast<double>(leadIn));
  }
  return out;
}

std::vector<LoopedPartial> WobblingHarmonics(double fundamental, int harmonics, double (*level)(int),
                                             synth::RandomSource& random) {
  // One wobble cycle per loop; a phase swing of 1 radian at the fundamental
  // moves the pitch by cycles-per-loop × 1 / (2 pi × cycles) of itself: a
  // few cents for loops of a few seconds.
  constexpr double kWobbleRadians = 1.0;
  std::vector<LoopedPartial> partials;
  for (int h = 1; h <= harmonics; ++h) {
    LoopedPartial partial{fundamental * h, level(h), random.Unit()};
    partial.wobbleCycles = 1;
    partial.wobbleDepth = kWobbleRadians * h;
    if (h >= 3) {
      partial.swellCycles = 1 + static_cast<int>(random.Next() % 3);
      partial.swellDepth = 0.2;
    }
    partials.push_back(partial);
  }
  return partials;
}

}  // namespace music
