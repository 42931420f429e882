// Seeded value noise: the same seed and coordinates give the same value on
// every run, so the pictures come out byte for byte the same.
#pragma once

#include <cstdint>

namespace art {

// A hash of the seed and a lattice point, in 0..1.
float LatticeValue(uint32_t seed, int x, int y);

// Smoothly interpolated value noise in 0..1 with features about one unit apart.
float ValueNoise(uint32_t seed, float x, float y);

// Sum of octaves of value noise, each twice as fine and half as strong; 0..1.
float FractalNoise(uint32_t seed, float x, float y, int octaves);

// Like FractalNoise but the pattern repeats every `period` units (so
// textures tile without seams); period is rounded per octave.
float TiledFractalNoise(uint32_t seed, float x, float y, int octaves, int period);

}  // namespace art
