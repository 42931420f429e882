#include "tools/art/noise.h"

#include <cmath>

namespace art {

namespace {

uint32_t Hash(uint32_t seed, int x, int y) {
  uint32_t h = seed * 0x9E3779B1u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

int Wrap(int value, int period) {
  if (period <= 0) return value;
  int r = value % period;
  return r < 0 ? r + period : r;
}

float Interpolated(uint32_t seed, float x, float y, int period) {
  float fx = std::floor(x), fy = std::floor(y);
  int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = Smooth(x - fx), ty = Smooth(y - fy);
  auto corner = [&](int dx, int dy) {
    return LatticeValue(seed, Wrap(ix + dx, period), Wrap(iy + dy, period));
  };
  float top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
  float bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
  return top + (bottom - top) * ty;
}

float Octaves(uint32_t seed, float x, float y, int octaves, int period) {
  float sum = 0.0f, weight = 1.0f, total = 0.0f;
  for (int i = 0; i < octaves; ++i) {
    sum += Interpolated(seed + static_cast<uint32_t>(i) * 101u, x, y, period) * weight;
    total += weight;
    weight *= 0.5f;
    x *= 2.0f;
    y *= 2.0f;
    if (period > 0) period *= 2;
  }
  return sum / total;
}

}  // namespace

float LatticeValue(uint32_t seed, int x, int y) {
  return static_cast<float>(Hash(seed, x, y) & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(uint32_t seed, float x, float y) { return Interpolated(seed, x, y, 0); }

float FractalNoise(uint32_t seed, float x, float y, int octaves) {
  return Octaves(seed, x, y, octaves, 0);
}

float TiledFractalNoise(uint32_t seed, float x, float y, int octaves, int period) {
  return Octaves(seed, x, y, octaves, period);
}

}  // namespace art
