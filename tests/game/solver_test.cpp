#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "game/grids.h"
#include "game/solver.h"

namespace {

// A hand-made island of `count` cells whose last cell is the sea.
void HandIsland(int count, int32_t radiatedTotal) {
  std::memset(&Island, 0, sizeof Island);
  Island.cellCount = static_cast<uint16_t>(count);
  for (int d = 1; d <= count; ++d) Island.Cell(d).state = kStateUnexplored;
  Island.Cell(count).isSea = 1;
  RadiatedTotal = radiatedTotal;
}

void Explored(int cell, const std::vector<int>& neighbours, int digit) {
  TIslandCell& c = Island.Cell(cell);
  c.isExplored = 1;
  for (int n : neighbours) c.AppendNeighbour(n);
  c.radiatedNeighbours = static_cast<uint8_t>(digit);
}

Constraint Make(std::vector<uint8_t> members, uint8_t radiated) {
  Constraint c = {};
  c.size = static_cast<uint8_t>(members.size());
  c.radiated = radiated;
  for (size_t i = 0; i < members.size(); ++i) c.members[i] = members[i];
  return c;
}

bool Listed(const Constraint& c, int index) {
  const ConstraintList& list = SolverConstraints();
  return index < list.count && std::memcmp(&list.entries[index], &c, sizeof c) == 0;
}

ConstraintList g_list;

}  // namespace

// Guards against unsorted members, duplicates, oversize constraints or an
// overfull list getting into the list.
TEST(Solver, AddConstraintSortsAndRefuses) {
  g_list.count = 0;
  EXPECT_TRUE(AddConstraint(g_list, Make({9, 3, 5}, 1)));
  Constraint sorted = Make({3, 5, 9}, 1);
  EXPECT_EQ(std::memcmp(&g_list.entries[0], &sorted, sizeof sorted), 0);
  EXPECT_FALSE(AddConstraint(g_list, Make({5, 9, 3}, 1)));
  EXPECT_TRUE(AddConstraint(g_list, Make({5, 9, 3}, 2)));
  EXPECT_FALSE(AddConstraint(g_list, Make({}, 0)));
  Constraint tooBig = Make({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0);
  tooBig.size = 11;
  EXPECT_FALSE(AddConstraint(g_list, tooBig));
  g_list.count = kConstraintCapacity;
  EXPECT_FALSE(AddConstraint(g_list, Make({100}, 0)));
}

// Guards against the subset rule not deriving the difference, or the
// derived constraint not naming its cell on the next pass.
TEST(Solver, SubsetDerivesDifference) {
  HandIsland(8, 1);
  Explored(1, {7, 6, 5}, 1);
  Explored(2, {5, 6}, 1);
  Explored(3, {}, 0);
  Explored(4, {}, 0);
  Island.Cell(5).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 7);
  EXPECT_TRUE(Listed(Make({7}, 0), 2));
  // Marks, right or wrong, change nothing.
  Island.Cell(7).isMarked = 1;
  Island.Cell(6).isMarked = 1;
  EXPECT_EQ(FindSafeCell(), 7);
}

// Guards against the all-radiated rule splitting off more than the first
// member.
TEST(Solver, AllRadiatedGivesFirstMember) {
  HandIsland(8, 2);
  Explored(1, {6, 5}, 2);
  for (int d = 2; d <= 4; ++d) Explored(d, {}, 0);
  Island.Cell(5).isRadiated = 1;
  Island.Cell(6).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 7);  // by counting: both areas lie in {5, 6}
  EXPECT_TRUE(Listed(Make({5}, 1), 1));
  EXPECT_TRUE(Listed(Make({6}, 1), 2));
}

// Guards against the counting pass missing a cell that no constraint
// touches once every radiated area is accounted for, or claiming one when
// they are not.
TEST(Solver, CountingPassAndNothingToDeduce) {
  HandIsland(5, 1);
  Explored(1, {2, 3}, 1);
  Island.Cell(2).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 4);
  RadiatedTotal = 2;
  Island.Cell(4).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 0);
}

// Guards against a list being built or a cell named when every safe cell is
// explored.
TEST(Solver, WholeIslandExplored) {
  HandIsland(5, 2);
  Explored(1, {2, 3}, 1);
  Explored(4, {3}, 1);
  Island.Cell(2).isRadiated = 1;
  Island.Cell(3).isRadiated = 1;
  int32_t listedBefore = SolverConstraints().count;
  EXPECT_EQ(FindSafeCell(), -1);
  EXPECT_EQ(SolverConstraints().count, listedBefore);
}

// Guards against a cell with more unknown neighbours than a constraint holds
// overflowing it, and against the sea being named as safe.
TEST(Solver, OversizeCellLeftOutAndSeaNeverNamed) {
  HandIsland(16, 1);
  Explored(1, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0);
  Island.Cell(13).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 0);
  EXPECT_EQ(SolverConstraints().count, 0);

  HandIsland(5, 1);
  Island.Cell(5).isSea = 0;
  Island.Cell(2).isSea = 1;
  Explored(1, {2, 3}, 0);
  Island.Cell(4).isRadiated = 1;
  EXPECT_EQ(FindSafeCell(), 3);
}

namespace {

// The subset pass as plainly stated: every pass restarts from the first
// constraint and tries every pair. Slow, but the reference for the solver's
// resumable pass.
bool PlainSubsetPass(ConstraintList& list, int32_t& result) {
  for (int a = 0; a < list.count; ++a) {
    const Constraint whole = list.entries[a];
    if (whole.radiated == 0) {
      result = whole.members[0];
      return true;
    }
    if (whole.size >= 2 && whole.radiated == whole.size && AddConstraint(list, Make({whole.members[0]}, 1))) {
      return true;
    }
    for (int b = 0; b < list.count; ++b) {
      const Constraint part = list.entries[b];
      if (b == a || part.size >= whole.size) continue;
      std::vector<uint8_t> rest;
      bool subset = true;
      for (int p = 0; p < part.size; ++p) {
        subset = subset && std::find(whole.members, whole.members + whole.size, part.members[p]) !=
                               whole.members + whole.size;
      }
      if (!subset) continue;
      for (int w = 0; w < whole.size; ++w) {
        if (std::find(part.members, part.members + part.size, whole.members[w]) == part.members + part.size) {
          rest.push_back(whole.members[w]);
        }
      }
      if (AddConstraint(list, Make(rest, static_cast<uint8_t>(whole.radiated - part.radiated)))) return true;
    }
  }
  return false;
}

}  // namespace

// Guards against the resumable subset pass deriving anything other than, or
// in another order than, passes that restart from the first constraint:
// random explored patterns with random digits on the square grid.
TEST(Solver, SubsetPassMatchesPlainRestartingPasses) {
  uint32_t seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % range);
  };
  int compared = 0;
  for (int trial = 0; trial < 60; ++trial) {
    std::memset(&Island, 0, sizeof Island);
    BuildSquareGrid(Island);
    RadiatedTotal = 12;
    for (int d = 1; d < 65; ++d) {
      if (next(100) < 40) {
        Island.Cell(d).isExplored = 1;
        Island.Cell(d).radiatedNeighbours = static_cast<uint8_t>(1 + next(3));
      }
    }
    int32_t solved = FindSafeCell();
    const ConstraintList& derived = SolverConstraints();

    if (derived.count > 300) continue;  // the plain passes would take too long
    ++compared;
    g_list.count = 0;
    int base = 0;
    for (int d = 1; d < 65; ++d) {
      const TIslandCell& cell = Island.Cell(d);
      if (!cell.KnownSafe()) continue;
      std::vector<uint8_t> unknown;
      for (int i = 0; i < cell.neighbourCount; ++i) {
        if (!Island.Cell(cell.Neighbour(i)).KnownSafe()) unknown.push_back(static_cast<uint8_t>(cell.Neighbour(i)));
      }
      if (!unknown.empty()) base += AddConstraint(g_list, Make(unknown, cell.radiatedNeighbours));
    }
    int32_t plainResult = 0;
    while (plainResult == 0 && PlainSubsetPass(g_list, plainResult)) {
    }
    ASSERT_GE(derived.count, base);
    ASSERT_EQ(derived.count, g_list.count) << "trial " << trial;
    EXPECT_EQ(std::memcmp(derived.entries, g_list.entries, sizeof(Constraint) * g_list.count), 0);
    if (plainResult > 0) {
      EXPECT_EQ(solved, plainResult);
    }
  }
  EXPECT_GT(compared, 30);
}
