#include "tools/islands/noise.h"

#include "tools/islands/random_stream.h"

namespace islands {

namespace {

// A random value for a lattice point, 0 .. kNoiseOne - 1.
int Lattice(uint32_t seed, int x, int y) {
  uint64_t key = (uint64_t{seed} << 40) ^ (uint64_t{static_cast<uint32_t>(x) & 0xFFFFFu} << 20) ^
                 (static_cast<uint32_t>(y) & 0xFFFFFu);
  return static_cast<int>(MixBits(key) >> 48);
}

int FloorDivide(int value, int divisor) {
  int quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// 3t^2 - 2t^3 for t in 0 .. kNoiseOne.
int64_t Smooth(int64_t t) {
  int64_t square = t * t / kNoiseOne;
  return square * (3 * kNoiseOne - 2 * t) / kNoiseOne;
}

int64_t Blend(int64_t a, int64_t b, int64_t t) { return a + (b - a) * t / kNoiseOne; }

int ValueNoise(uint32_t seed, int x, int y, int period) {
  int ix = FloorDivide(x, period);
  int iy = FloorDivide(y, period);
  int64_t tx = Smooth(int64_t{x - ix * period} * kNoiseOne / period);
  int64_t ty = Smooth(int64_t{y - iy * period} * kNoiseOne / period);
  int64_t top = Blend(Lattice(seed, ix, iy), Lattice(seed, ix + 1, iy), tx);
  int64_t bottom = Blend(Lattice(seed, ix, iy + 1), Lattice(seed, ix + 1, iy + 1), tx);
  return static_cast<int>(Blend(top, bottom, ty));
}

}  // namespace

int FractalNoise(uint32_t seed, int x, int y, int period, int octaves) {
  int64_t sum = 0;
  int64_t total = 0;
  for (int octave = 0; octave < octaves; ++octave) {
    int64_t weight = int64_t{1} << (octaves - 1 - octave);
    int octavePeriod = period >> octave;
    if (octavePeriod < 1) octavePeriod = 1;
    sum += ValueNoise(seed + 101u * static_cast<uint32_t>(octave), x, y, octavePeriod) * weight;
    total += weight;
  }
  return static_cast<int>(sum / total);
}

}  // namespace islands
