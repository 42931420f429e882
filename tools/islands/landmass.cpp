#include "tools/islands/landmass.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "tools/islands/noise.h"

namespace islands {

namespace {

// Pixels this far inside the margin still have their height lowered, so the
// coast curves away from the margin instead of running along it.
constexpr int kFadeWidth = 40;
constexpr int kOpeningRadius = 3;  // removes spits and necks narrower than a cell
constexpr int kClosingRadius = 2;  // fills inlets too narrow to see

struct Lobe {
  int row, column, rowRadius, columnRadius;
};

// Height of the terrain: a few overlapping elliptic hills, roughened by
// fractal noise; the coast is a contour of it.
class Terrain {
 public:
  explicit Terrain(RandomStream& random) : seed_(static_cast<uint32_t>(random.Next())) {
    int centreRow = kSide / 2 + random.Between(-8, 8);
    int centreColumn = kSide / 2 + random.Between(-8, 8);
    int lobes = random.Between(2, 5);
    for (int i = 0; i < lobes; ++i) {
      lobes_.push_back({centreRow + random.Between(-65, 65), centreColumn + random.Between(-65, 65),
                        random.Between(30, 70), random.Between(30, 70)});
    }
    roughness_ = random.Between(30000, 50000);
    period_ = random.Between(40, 70);
    warp_ = random.Between(35, 60);
    warpPeriod_ = random.Between(70, 110);
  }

  int64_t Height(int row, int column) const {
    // The hills are looked up at a displaced point, which twists their
    // outlines into headlands and bays.
    int64_t warpedRow = row + int64_t{FractalNoise(seed_ + 1, column, row, warpPeriod_, 2) - kNoiseOne / 2} * warp_ / (kNoiseOne / 2);
    int64_t warpedColumn = column + int64_t{FractalNoise(seed_ + 2, column, row, warpPeriod_, 2) - kNoiseOne / 2} * warp_ / (kNoiseOne / 2);
    int64_t base = std::numeric_limits<int64_t>::min();
    for (const Lobe& lobe : lobes_) {
      int64_t dr = warpedRow - lobe.row, dc = warpedColumn - lobe.column;
      int64_t inside = kNoiseOne - dr * dr * kNoiseOne / (int64_t{lobe.rowRadius} * lobe.rowRadius) -
                       dc * dc * kNoiseOne / (int64_t{lobe.columnRadius} * lobe.columnRadius);
      base = std::max(base, inside);
    }
    int64_t noise = FractalNoise(seed_, column, row, period_, 5) - kNoiseOne / 2;
    // Far from the middle the ground sinks, which rounds the whole island.
    int64_t dr = row - kSide / 2, dc = column - kSide / 2;
    int64_t radial = (dr * dr + dc * dc) * kNoiseOne / (105 * 105);
    base -= radial * radial / kNoiseOne;
    int edge = std::min({row, column, kSide - 1 - row, kSide - 1 - column}) - kLandMargin;
    int64_t fade = edge < kFadeWidth ? int64_t{kFadeWidth - edge} * (kFadeWidth - edge) * kNoiseOne / 200 : 0;
    return base + noise * roughness_ / (kNoiseOne / 2) - fade;
  }

 private:
  uint32_t seed_;
  std::vector<Lobe> lobes_;
  int roughness_;
  int period_;
  int warp_;
  int warpPeriod_;
};

bool InsideMargin(int row, int column) {
  return row >= kLandMargin && column >= kLandMargin && row < kSide - kLandMargin &&
         column < kSide - kLandMargin;
}

// The `area` highest pixels inside the margin.
Mask HighestPixels(const Terrain& terrain, int area) {
  std::vector<int64_t> heights;
  Plane<int64_t> height(std::numeric_limits<int64_t>::min());
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      if (!InsideMargin(r, c)) continue;
      height.at(r, c) = terrain.Height(r, c);
      heights.push_back(height.at(r, c));
    }
  }
  area = std::clamp(area, 1, static_cast<int>(heights.size()));
  std::nth_element(heights.begin(), heights.begin() + (area - 1), heights.end(), std::greater<>());
  int64_t level = heights[area - 1];
  Mask land;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) land.at(r, c) = InsideMargin(r, c) && height.at(r, c) >= level;
  }
  return land;
}

// Keeps the largest 4-connected landmass and turns every lake into land.
void KeepMainland(Mask& land) {
  Mask visited;
  std::vector<Pixel> largest;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      if (!land.at(r, c) || visited.at(r, c)) continue;
      std::vector<Pixel> region = FloodRegion(land, {r, c}, visited);
      if (region.size() > largest.size()) largest = std::move(region);
    }
  }
  Mask sea(1);
  for (Pixel p : largest) sea.at(p) = 0;
  // The open sea is what the grid's corner reaches; everything else is land.
  Mask open;
  FloodRegion(sea, {0, 0}, open);
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) land.at(r, c) = !open.at(r, c);
  }
}

// Erosion (keep = 1) or dilation (keep = 0) by a disc.
Mask Morph(const Mask& land, int radius, uint8_t keep) {
  std::vector<Pixel> disc;
  for (int dr = -radius; dr <= radius; ++dr) {
    for (int dc = -radius; dc <= radius; ++dc) {
      if (dr * dr + dc * dc <= radius * radius) disc.push_back({dr, dc});
    }
  }
  Mask result;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      uint8_t value = keep;
      for (Pixel d : disc) {
        int rr = r + d.row, cc = c + d.column;
        uint8_t other = Mask::Inside(rr, cc) ? land.at(rr, cc) : 0;
        if (other != keep) {
          value = other;
          break;
        }
      }
      result.at(r, c) = value;
    }
  }
  return result;
}

}  // namespace

int CountSet(const Mask& mask) {
  return static_cast<int>(std::count_if(mask.values().begin(), mask.values().end(),
                                        [](uint8_t v) { return v != 0; }));
}

Mask MakeLandmass(RandomStream& random, int area) {
  Terrain terrain(random);
  Mask land = HighestPixels(terrain, area);
  KeepMainland(land);
  land = Morph(Morph(land, kClosingRadius, 0), kClosingRadius, 1);
  land = Morph(Morph(land, kOpeningRadius, 1), kOpeningRadius, 0);
  KeepMainland(land);
  int made = CountSet(land);
  if (made < area * 4 / 5 || made > area * 6 / 5) return Mask();
  return land;
}

}  // namespace islands
