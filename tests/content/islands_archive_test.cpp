// The shipped archive of irregular islands, read through the game's own
// pointer rules, unpacker, loader, mirroring and border mask.
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "game/island_files.h"
#include "game/mirror.h"
#include "game/solver.h"
#include "game/view.h"
#include "islands_test_support.h"
#include "tools/islands/cell_contacts.h"
#include "tools/islands/landmass.h"

namespace {

using islands_test::Archive;
using islands_test::kIslands;
using islands_test::ShippedArchive;

constexpr int kRadiated = 13;

int Grid(int row, int column) { return CellGrid[row - 1][column - 1]; }

// Number of pixels 4-connected to (row, column) holding the same cell.
int FloodCount(int row, int column) {
  std::vector<uint8_t> seen(kGridBytes, 0);
  std::vector<std::pair<int, int>> pending{{row, column}};
  int value = Grid(row, column), count = 0;
  seen[(row - 1) * kGridSize + column - 1] = 1;
  while (!pending.empty()) {
    auto [r, c] = pending.back();
    pending.pop_back();
    ++count;
    const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
    for (int k = 0; k < 4; ++k) {
      int rr = r + dr[k], cc = c + dc[k];
      if (rr < 1 || cc < 1 || rr > kGridSize || cc > kGridSize) continue;
      uint8_t& mark = seen[(rr - 1) * kGridSize + cc - 1];
      if (mark || Grid(rr, cc) != value) continue;
      mark = 1;
      pending.push_back({rr, cc});
    }
  }
  return count;
}

// Guards against a pointer table the game refuses ("Islands information
// absent") or whose blocks overlap or run past the archive.
TEST(IslandArchive, PointerTableListsExactly128IslandsEndingAtTheArchiveEnd) {
  const Archive& archive = ShippedArchive();
  ASSERT_EQ(archive.pointers.size(), 1032u);
  ArchivePointer table[kPointerEntries];
  std::memcpy(table, archive.pointers.data(), sizeof table);
  EXPECT_EQ(CountArchiveEntries(table), kIslands);
  EXPECT_EQ(table[0].mapOffset, 0);
  for (int k = 0; k < kIslands; ++k) {
    EXPECT_LT(table[k].mapOffset, table[k].infoOffset) << k;
    EXPECT_LT(table[k].infoOffset, table[k + 1].mapOffset) << k;
  }
  EXPECT_EQ(table[kIslands].mapOffset, static_cast<int32_t>(archive.data.size()));
  EXPECT_EQ(table[kIslands].infoOffset, 0);
}

// Guards against records the rules would trip over: wrong counts, numbers,
// flags, states, a sea that is not the last cell, leftovers of play.
TEST(IslandArchive, EveryIslandUnpacksThroughTheGameAsAFreshRecord) {
  for (int k = 0; k < kIslands; ++k) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    int n = Island.cellCount;
    ASSERT_GE(n, 41);
    ASSERT_LE(n, kMaxIslandCells);
    EXPECT_EQ(Island.active, 0);
    EXPECT_EQ(Island.prepared, 0);
    EXPECT_EQ(Island.hoverCode, 0);
    EXPECT_EQ(int{Island.exploredCount}, 0);
    for (int d = 1; d <= n; ++d) {
      const TIslandCell& cell = Island.Cell(d);
      EXPECT_EQ(int{cell.number}, d);
      EXPECT_EQ(cell.isSea, d == n ? 1 : 0);
      EXPECT_EQ(cell.isLand, d == n ? 0 : 1);
      EXPECT_EQ(cell.state, d == n ? 0 : kStateUnexplored);
      EXPECT_EQ(cell.isExplored + cell.isMarked, 0);
    }
    for (int r = 1; r <= kGridSize; ++r) {
      for (int c = 1; c <= kGridSize; ++c) ASSERT_TRUE(Grid(r, c) >= 1 && Grid(r, c) <= n);
    }
  }
}

// Guards against cells in pieces, boxes that do not fit the cells, land that
// crowds the grid's edge (no room for the coast shadow), lakes, and a
// landmass in several parts.
TEST(IslandArchive, CellsArePiecesOfOneLandmassWellInsideTheGrid) {
  for (int k = 0; k < kIslands; ++k) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    int n = Island.cellCount;
    std::vector<int> area(n + 1, 0), first(n + 1, 0);
    std::vector<int> rowMin(n + 1, 999), rowMax(n + 1, 0), colMin(n + 1, 999), colMax(n + 1, 0);
    for (int r = 1; r <= kGridSize; ++r) {
      for (int c = 1; c <= kGridSize; ++c) {
        int d = Grid(r, c);
        if (area[d]++ == 0) first[d] = r * 1000 + c;
        rowMin[d] = std::min(rowMin[d], r);
        rowMax[d] = std::max(rowMax[d], r);
        colMin[d] = std::min(colMin[d], c);
        colMax[d] = std::max(colMax[d], c);
        bool nearEdge = std::min({r, c, kGridSize + 1 - r, kGridSize + 1 - c}) <= islands::kLandMargin;
        if (nearEdge) {
          ASSERT_EQ(d, n) << "land at " << r << "," << c;
        }
      }
    }
    for (int d = 1; d <= n; ++d) {
      ASSERT_GT(area[d], 0) << d;
      EXPECT_EQ(FloodCount(first[d] / 1000, first[d] % 1000), area[d]) << "cell " << d;
      if (d == n) continue;
      const TIslandCell& cell = Island.Cell(d);
      EXPECT_EQ(int{cell.rowMin}, rowMin[d]);
      EXPECT_EQ(int{cell.rowMax}, rowMax[d]);
      EXPECT_EQ(int{cell.colMin}, colMin[d]);
      EXPECT_EQ(int{cell.colMax}, colMax[d]);
    }
    // One landmass: every land pixel reachable from every other over land.
    std::vector<int> land(kGridBytes);
    for (int i = 0; i < kGridBytes; ++i) land[i] = (&CellGrid[0][0])[i] != n;
    int start = (first[1] / 1000 - 1) * kGridSize + first[1] % 1000 - 1;
    std::vector<int> pending{start};
    land[start] = 2;
    int reached = 0;
    while (!pending.empty()) {
      int p = pending.back();
      pending.pop_back();
      ++reached;
      int r = p / kGridSize, c = p % kGridSize;
      const int dr[4] = {-1, 1, 0, 0}, dc[4] = {0, 0, -1, 1};
      for (int j = 0; j < 4; ++j) {
        int rr = r + dr[j], cc = c + dc[j];
        if (rr < 0 || cc < 0 || rr >= kGridSize || cc >= kGridSize) continue;
        int q = rr * kGridSize + cc;
        if (land[q] == 1) {
          land[q] = 2;
          pending.push_back(q);
        }
      }
    }
    EXPECT_EQ(reached, kGridBytes - area[n]);
  }
}

// Guards against neighbour lists that disagree with the picture (a digit
// counting a cell that does not touch, or missing one that does), one-sided
// lists, the sea as a neighbour, overfull lists, and contacts too small to see.
TEST(IslandArchive, NeighboursAreExactlyTheCellsThatTouchAndShareAClearBorder) {
  for (int k = 0; k < kIslands; ++k) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    int n = Island.cellCount;
    islands::Plane<uint8_t> cells;
    for (int r = 0; r < kGridSize; ++r) {
      for (int c = 0; c < kGridSize; ++c) cells.at(r, c) = CellGrid[r][c] == n ? 0 : CellGrid[r][c];
    }
    islands::Contacts contacts = islands::MeasureContacts(cells, n - 1);
    EXPECT_EQ(int{Island.Cell(n).neighbourCount}, 0);
    for (int a = 1; a < n; ++a) {
      const TIslandCell& cell = Island.Cell(a);
      ASSERT_LE(int{cell.neighbourCount}, kConstraintMembers);  // the hint solver reads every digit
      ASSERT_GE(int{cell.neighbourCount}, 1);
      std::set<int> listed;
      for (int i = 0; i < cell.neighbourCount; ++i) listed.insert(cell.Neighbour(i));
      EXPECT_EQ(listed.size(), size_t{cell.neighbourCount}) << "cell " << a << " lists a neighbour twice";
      for (int b = 1; b <= n; ++b) {
        bool touches = b < n && b != a && contacts.Touch(a, b);
        EXPECT_EQ(listed.count(b) == 1, touches) << "cells " << a << " and " << b;
        if (touches) {
          EXPECT_GE(contacts.Border(a, b), islands::kClearBorder) << a << "," << b;
        }
      }
    }
  }
}

// Guards against a digit drawn over a border line or into the next cell:
// for every way the game may mirror the island, the 24 x 24 picture of
// each cell's digit, placed where the screen draws it, must cover only
// that cell's pixels and no border.
TEST(IslandArchive, EveryDigitFitsInsideItsCellHoweverTheIslandIsMirrored) {
  static TIsland original;
  static uint8_t originalGrid[kGridSize][kGridSize];
  for (int k = 0; k < kIslands; ++k) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    std::memcpy(&original, &Island, sizeof Island);
    std::memcpy(originalGrid, CellGrid, sizeof CellGrid);
    for (int mirror = 0; mirror < 4; ++mirror) {
      std::memcpy(&Island, &original, sizeof Island);
      std::memcpy(CellGrid, originalGrid, sizeof CellGrid);
      if (mirror & 1) MirrorTopToBottom(Island);
      if (mirror & 2) MirrorLeftToRight(Island);
      std::memset(BorderMask, 0, sizeof BorderMask);
      BuildBorderMask();
      for (int d = 1; d < Island.cellCount; ++d) {
        const TIslandCell& cell = Island.Cell(d);
        int bad = 0;
        for (int row = 2 * cell.rowCentre - 11; row <= 2 * cell.rowCentre + 12; ++row) {
          for (int column = 2 * cell.colCentre - 12; column <= 2 * cell.colCentre + 11; ++column) {
            int r = (row - 1) * kGridSize / kViewSize, c = (column - 1) * kGridSize / kViewSize;
            bool inside = row >= 1 && column >= 1 && row <= kViewSize && column <= kViewSize &&
                          CellGrid[r][c] == d && BorderMask[r][c] == 0;
            bad += !inside;
          }
        }
        EXPECT_EQ(bad, 0) << "cell " << d << " mirrored " << mirror;
      }
    }
  }
}

// Guards against the wrong number of radiated areas, stale digits, and a
// start cell the game cannot open safely or that opens nothing around it.
TEST(IslandArchive, ThirteenRadiatedAreasAndAQuietStartCell) {
  for (int k = 0; k < kIslands; ++k) {
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    int radiated = 0;
    for (int d = 1; d <= Island.cellCount; ++d) {
      const TIslandCell& cell = Island.Cell(d);
      radiated += cell.isRadiated;
      int around = 0;
      for (int i = 0; i < cell.neighbourCount; ++i) around += Island.Cell(cell.Neighbour(i)).isRadiated;
      EXPECT_EQ(cell.radiatedNeighbours, around) << d;
    }
    EXPECT_EQ(radiated, kRadiated);
    EXPECT_EQ(Island.Cell(Island.cellCount).isRadiated, 0);
    int start = Island.accountedRadiated;
    ASSERT_TRUE(start >= 1 && start < Island.cellCount);
    EXPECT_EQ(Island.Cell(start).isRadiated, 0);
    EXPECT_EQ(Island.Cell(start).radiatedNeighbours, 0);
  }
}

class IslandLoading : public islands_test::ScratchProgramDirectory {};

// Guards against an archive that unpacks one way here and another through
// the game's loader and play-order rotation.
TEST_F(IslandLoading, LoadIslandFindsEveryPlayableIslandAsShipped) {
  static TIsland unpacked;
  static uint8_t unpackedGrid[kGridSize][kGridSize];
  const std::set<int> neverPlayed = {19, 22, 41, 42, 59, 64, 100, 111, 112, 116};
  for (int k = 0; k < kIslands; ++k) {
    if (neverPlayed.count(k)) continue;
    SCOPED_TRACE(k);
    ShippedArchive().Unpack(k);
    std::memcpy(&unpacked, &Island, sizeof Island);
    std::memcpy(unpackedGrid, CellGrid, sizeof CellGrid);
    PlayNext(1, k);
    std::memset(&Island, 0, sizeof Island);
    LoadIsland(Island);
    EXPECT_EQ(IslandNumber, k);
    EXPECT_EQ(std::memcmp(&Island, &unpacked, sizeof Island), 0);
    EXPECT_EQ(std::memcmp(CellGrid, unpackedGrid, sizeof CellGrid), 0);
  }
}

}  // namespace
