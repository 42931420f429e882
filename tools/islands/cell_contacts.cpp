#include "tools/islands/cell_contacts.h"

#include <algorithm>

namespace islands {

namespace {

bool InRoom(const CellMap& map, Pixel p, int cell) {
  Pixel centre = map.centres[cell - 1];
  return p.row >= centre.row - kRoomAbove && p.row <= centre.row + kRoomBelow &&
         p.column >= centre.column - kRoomLeft && p.column <= centre.column + kRoomRight;
}

// The cell whose digit room holds p, 0 for none.
int RoomAt(const CellMap& map, Pixel p) {
  int d = map.cells.at(p);
  return d != 0 && InRoom(map, p, d) ? d : 0;
}

bool Meets(const Plane<uint8_t>& cells, Pixel p, int other) {
  for (int k = 0; k < 8; ++k) {
    int r = p.row + kStepRow[k], c = p.column + kStepColumn[k];
    if (cells.Inside(r, c) && cells.at(r, c) == other) return true;
  }
  return false;
}

// Whether each of these cells is still one piece holding its centre.
bool Whole(const CellMap& map, const std::vector<int>& changed) {
  for (int d : changed) {
    int area = static_cast<int>(std::count(map.cells.values().begin(), map.cells.values().end(), d));
    Mask visited;
    if (map.cells.at(map.centres[d - 1]) != d ||
        static_cast<int>(FloodRegion(map.cells, map.centres[d - 1], visited).size()) != area) {
      return false;
    }
  }
  return true;
}

// The cell other than `a` and `b` that borders p along the most edges.
int ThirdCell(const Plane<uint8_t>& cells, Pixel p, int a, int b) {
  int best = 0, bestEdges = 0;
  for (int k = 0; k < 4; ++k) {
    int r = p.row + kStepRow[k], c = p.column + kStepColumn[k];
    if (!cells.Inside(r, c)) continue;
    int other = cells.at(r, c);
    if (other == 0 || other == a || other == b) continue;
    int edges = 0;
    for (int j = 0; j < 4; ++j) {
      int rr = p.row + kStepRow[j], cc = p.column + kStepColumn[j];
      edges += cells.Inside(rr, cc) && cells.at(rr, cc) == other;
    }
    if (edges > bestEdges || (edges == bestEdges && other < best)) {
      best = other;
      bestEdges = edges;
    }
  }
  return best;
}

// One way to mend a brief contact: hand every pixel of `a` that meets `b`
// to a third cell beside it.
bool PartCells(CellMap& map, int a, int b) {
  std::vector<int> changed{a};
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      if (map.cells.at(r, c) != a || InRoom(map, {r, c}, a) || !Meets(map.cells, {r, c}, b)) continue;
      int third = ThirdCell(map.cells, {r, c}, a, b);
      if (third != 0) map.cells.at(r, c) = static_cast<uint8_t>(third);
    }
  }
  return Whole(map, changed);
}

// The other way: let `owner` take a small disc of land around p, which
// turns a meeting at a point into a shared border.
bool TakeDisc(CellMap& map, Pixel p, int radius, int owner) {
  std::vector<int> changed;
  for (int dr = -radius; dr <= radius; ++dr) {
    for (int dc = -radius; dc <= radius; ++dc) {
      Pixel x{p.row + dr, p.column + dc};
      if (dr * dr + dc * dc > radius * radius || !map.cells.Inside(x.row, x.column)) continue;
      int d = map.cells.at(x);
      if (d == 0 || d == owner || RoomAt(map, x) != 0) continue;
      if (std::find(changed.begin(), changed.end(), d) == changed.end()) changed.push_back(d);
      map.cells.at(x) = static_cast<uint8_t>(owner);
    }
  }
  changed.push_back(owner);
  return Whole(map, changed);
}

// Pairs of cells that touch without sharing a clear border.
std::vector<std::pair<int, int>> UnclearPairs(const CellMap& map) {
  Contacts contacts = MeasureContacts(map.cells, map.Count());
  std::vector<std::pair<int, int>> pairs;
  for (int a = 1; a <= map.Count(); ++a) {
    for (int b = a + 1; b <= map.Count(); ++b) {
      if (contacts.Touch(a, b) && contacts.Border(a, b) < kClearBorder) pairs.push_back({a, b});
    }
  }
  return pairs;
}

// Tries the mends of one pair in turn; keeps the first that leaves fewer
// unclear pairs than `unclear`.
bool MendPair(CellMap& map, int a, int b, size_t& unclear) {
  std::vector<Pixel> meetings;
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      if (map.cells.at(r, c) == a && Meets(map.cells, {r, c}, b)) meetings.push_back({r, c});
    }
  }
  auto attempt = [&](auto mend) {
    CellMap trial = map;
    if (!mend(trial)) return false;
    size_t left = UnclearPairs(trial).size();
    if (left >= unclear) return false;
    map = std::move(trial);
    unclear = left;
    return true;
  };
  if (attempt([&](CellMap& m) { return PartCells(m, a, b); })) return true;
  if (attempt([&](CellMap& m) { return PartCells(m, b, a); })) return true;
  for (int radius = 2; radius <= 3; ++radius) {
    for (Pixel p : meetings) {
      if (attempt([&](CellMap& m) { return TakeDisc(m, p, radius, a); })) return true;
      if (attempt([&](CellMap& m) { return TakeDisc(m, p, radius, b); })) return true;
    }
  }
  return false;
}

}  // namespace

Contacts MeasureContacts(const Plane<uint8_t>& cells, int count) {
  Contacts contacts;
  contacts.count = count;
  size_t size = static_cast<size_t>(count + 1) * (count + 1);
  contacts.border.assign(size, 0);
  contacts.touch.assign(size, false);
  // Down, right, down-left and down-right see every pair of pixels once.
  const int forward[4] = {1, 3, 6, 7};
  for (int r = 0; r < kSide; ++r) {
    for (int c = 0; c < kSide; ++c) {
      int a = cells.at(r, c);
      if (a == 0) continue;
      for (int k : forward) {
        int rr = r + kStepRow[k], cc = c + kStepColumn[k];
        if (!cells.Inside(rr, cc)) continue;
        int b = cells.at(rr, cc);
        if (b == 0 || b == a) continue;
        contacts.touch[a * (count + 1) + b] = contacts.touch[b * (count + 1) + a] = true;
        if (k < 4) {
          ++contacts.border[a * (count + 1) + b];
          ++contacts.border[b * (count + 1) + a];
        }
      }
    }
  }
  return contacts;
}

std::vector<std::vector<int>> NeighbourLists(const Contacts& contacts) {
  std::vector<std::vector<int>> lists(contacts.count);
  for (int a = 1; a <= contacts.count; ++a) {
    for (int b = 1; b <= contacts.count; ++b) {
      if (contacts.Touch(a, b)) lists[a - 1].push_back(b);
    }
  }
  return lists;
}

bool ClarifyContacts(CellMap& map) {
  std::vector<std::pair<int, int>> pairs = UnclearPairs(map);
  size_t unclear = pairs.size();
  while (unclear > 0) {
    bool mended = false;
    for (auto [a, b] : pairs) {
      if (MendPair(map, a, b, unclear)) {
        mended = true;
        break;
      }
    }
    if (!mended) return false;
    pairs = UnclearPairs(map);
  }
  return true;
}

}  // namespace islands
