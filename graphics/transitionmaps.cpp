#include "graphics/transitionmaps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

uint8_t NoiseMap[kMapSize];
uint8_t ClockMap[kMapSize];
uint8_t CrossMap[kMapSize];
uint8_t SweepNoiseMap[kMapSize];
uint8_t WorkMap[kMapSize];

namespace {

// A linear congruential generator with a fixed starting state: uniform
// integers below a range, independent of the game's seeded generator.
class FixedGenerator {
 public:
  uint32_t Below(uint32_t range) {
    state_ = state_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(state_) * range) >> 32);
  }

 private:
  uint32_t state_ = 0;
};

void MakeNoiseMap() {
  FixedGenerator generator;
  for (uint8_t& value : NoiseMap) value = static_cast<uint8_t>(generator.Below(200));
}

void SetBlock(uint8_t* map, int row, int column, uint8_t value) {
  map[row * kMapWidth + column] = value;
  map[row * kMapWidth + column + 1] = value;
  map[(row + 1) * kMapWidth + column] = value;
  map[(row + 1) * kMapWidth + column + 1] = value;
}

// The right half sweeps from its bottom to its top; the left half, its point
// mirror around the centre with 100 added, continues from the top down to the
// bottom left.
void MakeClockMap() {
  for (int k = -150; k <= 149; ++k) {
    for (int i = 0; i <= 199; ++i) {
      double angle = std::atan((k + 0.5) / (i + 0.5));
      auto value = static_cast<uint8_t>(std::lround(angle * 31 + 50));
      int row = 298 - 2 * k;
      SetBlock(ClockMap, row, 400 + 2 * i, value);
      SetBlock(ClockMap, 598 - row, 398 - 2 * i, static_cast<uint8_t>(value + 100));
    }
  }
}

void MirrorLeftHalf(uint8_t* map) {
  for (int row = 0; row < kMapHeight; ++row) {
    uint8_t* line = map + row * kMapWidth;
    for (int n = 0; n < kMapWidth / 2; ++n) line[n] = line[kMapWidth - 1 - n];
  }
}

}  // namespace

void MakeCrossPattern(uint8_t* map) {
  for (int row = 0; row < kMapHeight; ++row) {
    for (int column = 0; column < kMapWidth; ++column) {
      int dx = std::abs(column - 400);
      int dy = std::abs(row - 300);
      map[row * kMapWidth + column] = static_cast<uint8_t>(std::min(dx, dy) / 2);
    }
  }
}

void MakeGridPattern(uint8_t* map) {
  for (int y = 0; y < kMapHeight; ++y) {
    for (int x = 0; x < kMapWidth; ++x) {
      int value = std::abs(x % 64 - 32) + 2 * std::abs(y % 64 - 32) + y / 8 + x / 16;
      map[y * kMapWidth + x] = static_cast<uint8_t>(std::min(value, 200));
    }
  }
}

void BlendMaps(uint8_t* target, const uint8_t* a, const uint8_t* b, int weightA, int weightB) {
  for (int i = 0; i < kMapSize; ++i) {
    target[i] = static_cast<uint8_t>((weightA * a[i] + weightB * b[i]) / (weightA + weightB));
  }
}

void NormaliseMap(uint8_t* map) {
  int lowest = 200;
  int highest = 0;
  for (int i = 0; i < kMapSize; ++i) {
    lowest = std::min<int>(lowest, map[i]);
    highest = std::max<int>(highest, map[i]);
  }
  if (highest == 0) return;
  for (int i = 0; i < kMapSize; ++i) {
    map[i] = static_cast<uint8_t>(std::max(map[i] - lowest, 0) * 200 / highest);
  }
}

void InitTransitionMaps() {
  static bool built = false;
  if (built) return;
  built = true;
  MakeNoiseMap();
  MakeClockMap();
  MakeCrossPattern(WorkMap);
  BlendMaps(CrossMap, NoiseMap, WorkMap, 1, 3);
  NormaliseMap(CrossMap);
  BlendMaps(SweepNoiseMap, NoiseMap, ClockMap, 2, 5);
  MirrorLeftHalf(SweepNoiseMap);
  NormaliseMap(SweepNoiseMap);
}
