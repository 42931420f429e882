// Smooth value noise in integer arithmetic, so that the coastlines and cell
// borders it shapes come out the same on every build.
#pragma once

#include <cstdint>

namespace islands {

constexpr int kNoiseOne = 65536;  // noise values lie in 0 .. kNoiseOne - 1

// Interpolated lattice noise whose features lie about `period` pixels apart,
// plus `octaves` - 1 further layers, each twice as fine and half as strong.
int FractalNoise(uint32_t seed, int x, int y, int period, int octaves);

}  // namespace islands
