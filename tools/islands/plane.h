// A 255 x 255 picture of values, the size of the island's grid of cell
// numbers, indexed from 0 (row 0 is the grid's row 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/island.h"

namespace islands {

constexpr int kSide = kGridSize;

struct Pixel {
  int row;
  int column;
};

template <typename T>
class Plane {
 public:
  explicit Plane(T fill = T{}) : values_(kSide * kSide, fill) {}

  static bool Inside(int row, int column) {
    return row >= 0 && row < kSide && column >= 0 && column < kSide;
  }
  T& at(int row, int column) { return values_[row * kSide + column]; }
  const T& at(int row, int column) const { return values_[row * kSide + column]; }
  T& at(Pixel p) { return at(p.row, p.column); }
  const T& at(Pixel p) const { return at(p.row, p.column); }
  std::vector<T>& values() { return values_; }
  const std::vector<T>& values() const { return values_; }

 private:
  std::vector<T> values_;
};

using Mask = Plane<uint8_t>;

// The four direct neighbours, then the four diagonal ones.
constexpr int kStepRow[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
constexpr int kStepColumn[8] = {0, 0, -1, 1, -1, 1, -1, 1};

// Marks the 4-connected region of equal values that holds `start`, returning
// its pixels.
template <typename T>
std::vector<Pixel> FloodRegion(const Plane<T>& plane, Pixel start, Mask& visited) {
  std::vector<Pixel> region{start};
  visited.at(start) = 1;
  T value = plane.at(start);
  for (size_t next = 0; next < region.size(); ++next) {
    Pixel p = region[next];
    for (int k = 0; k < 4; ++k) {
      int r = p.row + kStepRow[k], c = p.column + kStepColumn[k];
      if (!Plane<T>::Inside(r, c) || visited.at(r, c) || plane.at(r, c) != value) continue;
      visited.at(r, c) = 1;
      region.push_back({r, c});
    }
  }
  return region;
}

}  // namespace islands
