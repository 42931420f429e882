#include "tools/islands/cell_division.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <queue>

#include "tools/islands/noise.h"

namespace islands {

namespace {

constexpr int kCoastRoom = 1;    // land kept between a digit's room and the coast
constexpr int kRoomGap = 1;      // land kept between the rooms of two cells
constexpr int kStraightStep = 10;
constexpr int kDiagonalStep = 14;
constexpr int kUnit = 64;        // fixed-point one of the growth weights

struct Seed {
  Pixel centre;
  int speed;  // growth cost per pixel, kUnit = average; slower seeds make smaller cells
};

// Sums of the land over every rectangle, for the room tests.
class LandSums {
 public:
  explicit LandSums(const Mask& land) : sums_((kSide + 1) * (kSide + 1), 0) {
    for (int r = 0; r < kSide; ++r) {
      for (int c = 0; c < kSide; ++c) {
        at(r + 1, c + 1) = land.at(r, c) + at(r, c + 1) + at(r + 1, c) - at(r, c);
      }
    }
  }
  // Whether rows top..bottom and columns left..right are all land.
  bool AllLand(int top, int bottom, int left, int right) const {
    if (top < 0 || left < 0 || bottom >= kSide || right >= kSide) return false;
    int count = at(bottom + 1, right + 1) - at(top, right + 1) - at(bottom + 1, left) + at(top, left);
    return count == (bottom - top + 1) * (right - left + 1);
  }

 private:
  int& at(int r, int c) { return sums_[r * (kSide + 1) + c]; }
  int at(int r, int c) const { return sums_[r * (kSide + 1) + c]; }
  std::vector<int> sums_;
};

bool RoomsApart(Pixel a, Pixel b) {
  return std::abs(a.row - b.row) >= kRoomAbove + kRoomBelow + 1 + kRoomGap ||
         std::abs(a.column - b.column) >= kRoomLeft + kRoomRight + 1 + kRoomGap;
}

// Centres packed over the land where a digit fits, each next one as close to
// those already placed as the local spacing allows (a growing front packs
// more tightly than scattered picks), chosen among near-equals at random.
// A noise field varies the spacing by about a third either way.
std::vector<Pixel> ChooseCentres(const Mask& land, RandomStream& random, int spacing) {
  LandSums sums(land);
  std::vector<Pixel> candidates;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      if (sums.AllLand(r - kRoomAbove - kCoastRoom, r + kRoomBelow + kCoastRoom,
                       c - kRoomLeft - kCoastRoom, c + kRoomRight + kCoastRoom)) {
        candidates.push_back({r, c});
      }
    }
  }
  uint32_t densitySeed = static_cast<uint32_t>(random.Next());
  Plane<int> required;  // squared spacing at each pixel
  for (Pixel p : candidates) {
    int local = spacing * (52 + FractalNoise(densitySeed, p.column, p.row, 90, 2) * 30 / kNoiseOne) / kUnit;
    required.at(p) = local * local;
  }
  const int far = 4 * kSide * kSide;
  Plane<int> nearest(far);  // squared distance to the closest centre
  Mask blocked;             // a centre here would crowd another's digit room
  std::vector<Pixel> centres;
  std::vector<Pixel> choices;
  while (static_cast<int>(centres.size()) <= kMostCells) {
    int closest = far + 1;
    for (Pixel p : candidates) {
      if (!blocked.at(p) && nearest.at(p) >= required.at(p)) closest = std::min(closest, nearest.at(p));
    }
    if (closest > far) break;
    choices.clear();
    for (Pixel p : candidates) {
      if (!blocked.at(p) && nearest.at(p) >= required.at(p) && nearest.at(p) * 100 <= closest * 130) choices.push_back(p);
    }
    Pixel chosen = choices[random.Below(static_cast<int>(choices.size()))];
    centres.push_back(chosen);
    const int reach = 3 * spacing;
    for (int r = std::max(0, chosen.row - reach); r <= std::min(kSide - 1, chosen.row + reach); ++r) {
      for (int c = std::max(0, chosen.column - reach); c <= std::min(kSide - 1, chosen.column + reach); ++c) {
        int dr = r - chosen.row, dc = c - chosen.column;
        nearest.at(r, c) = std::min(nearest.at(r, c), dr * dr + dc * dc);
        if (!RoomsApart({r, c}, chosen)) blocked.at(r, c) = 1;
      }
    }
  }
  std::sort(centres.begin(), centres.end(), [](Pixel a, Pixel b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  return centres;
}

struct Front {
  int64_t distance;
  int pixel;
  int cell;
  bool operator>(const Front& other) const {
    if (distance != other.distance) return distance > other.distance;
    if (pixel != other.pixel) return pixel > other.pixel;
    return cell > other.cell;
  }
};

// Every cell grows from its digit room over the land, at its own speed,
// through ground whose cost a noise field varies: each pixel goes to the
// cell that reaches it first, so borders wander like natural ones.
Plane<uint8_t> GrowCells(const Mask& land, const std::vector<Seed>& seeds, uint32_t groundSeed) {
  Plane<int> ground;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) ground.at(r, c) = 44 + FractalNoise(groundSeed, c, r, 24, 3) * 40 / kNoiseOne;
  }
  Plane<uint8_t> cells;
  Plane<uint8_t> room;  // the cell whose digit room holds the pixel
  Plane<int64_t> reached(std::numeric_limits<int64_t>::max());
  std::priority_queue<Front, std::vector<Front>, std::greater<>> fronts;
  for (size_t i = 0; i < seeds.size(); ++i) {
    int number = static_cast<int>(i) + 1;
    Pixel centre = seeds[i].centre;
    for (int r = centre.row - kRoomAbove; r <= centre.row + kRoomBelow; ++r) {
      for (int c = centre.column - kRoomLeft; c <= centre.column + kRoomRight; ++c) {
        int dr = std::abs(r - centre.row), dc = std::abs(c - centre.column);
        int64_t distance = int64_t{kStraightStep * std::max(dr, dc) + 4 * std::min(dr, dc)} *
                           kUnit * seeds[i].speed;
        room.at(r, c) = static_cast<uint8_t>(number);
        reached.at(r, c) = distance;
        fronts.push({distance, r * kSide + c, number});
      }
    }
  }
  while (!fronts.empty()) {
    Front front = fronts.top();
    fronts.pop();
    int row = front.pixel / kSide, column = front.pixel % kSide;
    if (cells.at(row, column) != 0) continue;
    cells.at(row, column) = static_cast<uint8_t>(front.cell);
    for (int k = 0; k < 8; ++k) {
      int r = row + kStepRow[k], c = column + kStepColumn[k];
      if (!land.Inside(r, c) || !land.at(r, c) || cells.at(r, c) != 0) continue;
      if (room.at(r, c) != 0 && room.at(r, c) != front.cell) continue;
      int64_t step = k < 4 ? kStraightStep : kDiagonalStep;
      int64_t distance = front.distance + step * ground.at(r, c) * seeds[front.cell - 1].speed;
      if (distance >= reached.at(r, c)) continue;
      reached.at(r, c) = distance;
      fronts.push({distance, r * kSide + c, front.cell});
    }
  }
  return cells;
}

// Growth along diagonals can leave a cell in several 4-connected pieces;
// every piece without the cell's centre joins the neighbouring cell it
// shares the longest edge with.
bool MakeCellsWhole(Plane<uint8_t>& cells, const std::vector<Pixel>& centres) {
  for (int round = 0; round < 20; ++round) {
    Mask visited;
    for (Pixel centre : centres) FloodRegion(cells, centre, visited);
    bool stray = false;
    for (int r = 0; r < kSide; ++r) {
      for (int c = 0; c < kSide; ++c) {
        if (cells.at(r, c) == 0 || visited.at(r, c)) continue;
        stray = true;
        std::vector<Pixel> piece = FloodRegion(cells, {r, c}, visited);
        std::vector<int> shared(kMostCells + 1, 0);
        for (Pixel p : piece) {
          for (int k = 0; k < 4; ++k) {
            int rr = p.row + kStepRow[k], cc = p.column + kStepColumn[k];
            if (!cells.Inside(rr, cc)) continue;
            uint8_t other = cells.at(rr, cc);
            if (other != 0 && other != cells.at(p)) ++shared[other];
          }
        }
        int best = static_cast<int>(std::max_element(shared.begin(), shared.end()) - shared.begin());
        if (shared[best] == 0) return false;
        for (Pixel p : piece) cells.at(p) = static_cast<uint8_t>(best);
      }
    }
    if (!stray) return true;
  }
  return false;
}

}  // namespace

bool HasDigitRoom(const Plane<uint8_t>& cells, Pixel centre, int number) {
  for (int r = centre.row - kRoomAbove; r <= centre.row + kRoomBelow; ++r) {
    for (int c = centre.column - kRoomLeft; c <= centre.column + kRoomRight; ++c) {
      if (!cells.Inside(r, c) || cells.at(r, c) != number) return false;
    }
  }
  return true;
}

std::optional<CellMap> DivideIntoCells(const Mask& land, RandomStream& random, int spacing) {
  std::vector<Pixel> centres = ChooseCentres(land, random, spacing);
  int count = static_cast<int>(centres.size());
  if (count < kFewestCells || count > kMostCells) return std::nullopt;
  std::vector<Seed> seeds;
  for (Pixel centre : centres) seeds.push_back({centre, random.Between(52, 76)});
  CellMap map;
  map.cells = GrowCells(land, seeds, static_cast<uint32_t>(random.Next()));
  map.centres = centres;
  if (!MakeCellsWhole(map.cells, centres)) return std::nullopt;
  return map;
}

}  // namespace islands
