// The generator's exact no-guess checker: what it proves from small
// hand-made positions, and agreement with plain enumeration of every
// placement on positions taken from the shipped layouts.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "game/island_files.h"
#include "islands_test_support.h"
#include "tools/islands/exact_solver.h"
#include "tools/islands/generator.h"
#include "tools/islands/map_play.h"
#include "tools/islands/random_stream.h"

namespace {

using islands::DeduceCells;
using islands::Deduction;

// A small island given by its links alone: land cells 1..n, the sea n + 1,
// radiated cells hidden in `radiated`, cells in `explored` opened.
void MakeIsland(int n, const std::vector<std::pair<int, int>>& links, const std::vector<int>& radiated,
                const std::vector<int>& explored) {
  std::memset(&Island, 0, sizeof Island);
  Island.cellCount = static_cast<uint16_t>(n + 1);
  for (int d = 1; d <= n + 1; ++d) {
    Island.Cell(d).number = static_cast<uint16_t>(d);
    Island.Cell(d).isLand = d <= n;
    Island.Cell(d).state = d <= n ? kStateUnexplored : 0;
  }
  Island.Cell(n + 1).isSea = 1;
  for (auto [a, b] : links) {
    Island.Cell(a).AppendNeighbour(b);
    Island.Cell(b).AppendNeighbour(a);
  }
  for (int d : radiated) Island.Cell(d).isRadiated = 1;
  CountRadiatedNeighbours(Island);
  for (int d : explored) Island.Cell(d).isExplored = 1;
}

// Guards against a checker that "deduces" one side of a true fifty-fifty.
TEST(ExactChecker, ProvesNothingInAFiftyFifty) {
  MakeIsland(3, {{1, 2}, {1, 3}}, {2}, {1});
  Deduction deduction = DeduceCells(Island, 1);
  EXPECT_TRUE(deduction.consistent);
  EXPECT_TRUE(deduction.safe.empty());
  EXPECT_TRUE(deduction.radiated.empty());
}

// Guards against a checker limited to subset rules: {2,3,4} holds 1 and
// {3,4,5} holds 2, neither inside the other, so 5 is radiated and 2 safe;
// the third radiated area of the total must then be cell 7, which no digit
// sees.
TEST(ExactChecker, CombinesDigitsThatOverlapWithoutNesting) {
  MakeIsland(7, {{1, 2}, {1, 3}, {1, 4}, {6, 3}, {6, 4}, {6, 5}, {7, 2}}, {4, 5, 7}, {1, 6});
  Deduction deduction = DeduceCells(Island, 3);
  EXPECT_EQ(deduction.safe, std::vector<int>{2});
  EXPECT_EQ(deduction.radiated, (std::vector<int>{5, 7}));
}

// Guards against ignoring the total: with the only radiated area certainly
// among {2, 3}, cell 4, which no digit sees, is safe; with two, it is not.
TEST(ExactChecker, TheTotalSettlesCellsNoDigitSees) {
  MakeIsland(4, {{1, 2}, {1, 3}}, {2}, {1});
  EXPECT_EQ(DeduceCells(Island, 1).safe, std::vector<int>{4});
  MakeIsland(4, {{1, 2}, {1, 3}}, {2, 4}, {1});
  Deduction two = DeduceCells(Island, 2);
  EXPECT_TRUE(two.safe.empty());
  EXPECT_EQ(two.radiated, std::vector<int>{4});
  // Three digits of 1 around cell 5: either 5 alone or 4, 6 and 7 are
  // radiated. With 3 radiated areas and only cell 8 unseen, 5 alone would
  // leave 8 two of them, so 4, 6, 7 it is, and 8 is safe.
  MakeIsland(8, {{1, 4}, {1, 5}, {2, 5}, {2, 6}, {3, 5}, {3, 7}}, {4, 6, 7}, {1, 2, 3});
  Deduction star = DeduceCells(Island, 3);
  EXPECT_EQ(star.safe, (std::vector<int>{5, 8}));
  EXPECT_EQ(star.radiated, (std::vector<int>{4, 6, 7}));
}

// Guards against a checker that trusts impossible positions (digits that
// contradict each other or the total) instead of saying so.
TEST(ExactChecker, ReportsPositionsNoPlacementFits) {
  MakeIsland(3, {{1, 2}, {1, 3}}, {2, 3}, {1});
  EXPECT_FALSE(DeduceCells(Island, 1).consistent);
  MakeIsland(4, {{1, 2}, {3, 2}, {3, 4}}, {2}, {1, 3});
  Island.Cell(3).radiatedNeighbours = 0;  // 2 radiated for cell 1, safe for cell 3
  EXPECT_FALSE(DeduceCells(Island, 1).consistent);
}

// Guards against peeking: moving a radiated area between two cells that
// look the same to the player must not change what is deduced.
TEST(ExactChecker, NeverLooksUnderAnUnexploredCell) {
  MakeIsland(5, {{1, 2}, {1, 3}, {4, 5}}, {2, 5}, {1});
  Deduction first = DeduceCells(Island, 2);
  MakeIsland(5, {{1, 2}, {1, 3}, {4, 5}}, {3, 4}, {1});
  Deduction second = DeduceCells(Island, 2);
  EXPECT_EQ(first.safe, second.safe);
  EXPECT_EQ(first.radiated, second.radiated);
}

// A stepped-on radiated area is seen and counted: cell 1's 2 includes the
// open radiated cell 2, so {3, 4} hold only one, and 5's 0 clears 4.
TEST(ExactChecker, CountsRadiatedAreasAlreadyOpened) {
  MakeIsland(5, {{1, 2}, {1, 3}, {1, 4}, {5, 4}}, {2, 3}, {1, 2, 5});
  Deduction deduction = DeduceCells(Island, 2);
  EXPECT_TRUE(deduction.consistent);
  EXPECT_EQ(deduction.radiated, std::vector<int>{3});
  EXPECT_EQ(deduction.safe, std::vector<int>{4});
}

// Every placement of `hidden` radiated areas among the unexplored cells
// that agrees with the digits, tried one by one.
Deduction Enumerate(int hidden) {
  std::vector<int> unknown;
  for (int d = 1; d < Island.cellCount; ++d) {
    if (!Island.Cell(d).isExplored) unknown.push_back(d);
  }
  std::vector<int> seenRadiated(Island.cellCount + 1, 0), seenSafe(Island.cellCount + 1, 0);
  std::vector<bool> choice(unknown.size(), false);
  std::fill(choice.end() - hidden, choice.end(), true);
  std::vector<uint8_t> radiated(Island.cellCount + 1, 0);
  for (int d = 1; d < Island.cellCount; ++d) radiated[d] = Island.Cell(d).isExplored && Island.Cell(d).isRadiated;
  Deduction result;
  result.consistent = false;
  do {
    for (size_t i = 0; i < unknown.size(); ++i) radiated[unknown[i]] = choice[i];
    bool fits = true;
    for (int d = 1; d < Island.cellCount && fits; ++d) {
      const TIslandCell& cell = Island.Cell(d);
      if (!cell.isExplored || cell.isRadiated) continue;  // an open radiated cell shows no digit
      int count = 0;
      for (int i = 0; i < cell.neighbourCount; ++i) count += radiated[cell.Neighbour(i)];
      fits = count == cell.radiatedNeighbours;
    }
    if (!fits) continue;
    result.consistent = true;
    for (int d : unknown) (radiated[d] ? seenRadiated : seenSafe)[d] = 1;
  } while (std::next_permutation(choice.begin(), choice.end()));
  for (int d : unknown) {
    if (!seenRadiated[d]) result.safe.push_back(d);
    if (!seenSafe[d]) result.radiated.push_back(d);
  }
  return result;
}

// Number of ways to choose k of n cells.
double Placements(int n, int k) {
  double ways = 1;
  for (int i = 1; i <= k; ++i) ways = ways * (n - k + i) / i;
  return ways;
}

// Guards against any fault of the step-by-step counting (merging, totals,
// the share left outside the frontier, opened radiated areas): on positions
// from real maps, opened at random (radiated cells too, as the penalty rule
// allows) until few cells are left, it must agree with brute force exactly.
TEST(ExactChecker, AgreesWithBruteForceOnPositionsFromShippedLayouts) {
  int compared = 0;
  for (int type = 2; type <= 4; ++type) {
    std::vector<uint8_t> file = islands_test::ReadShipped(islands_test::LayoutName(type));
    int size = islands_test::kLayoutSizes[type];
    for (int n = 0; n < 12; ++n) {
      SCOPED_TRACE(testing::Message() << "type " << type << " record " << n);
      islands::BuildGeneratedGrid(type, Island);
      ApplyLayout(Island, &file[n * size], size);
      CountRadiatedNeighbours(Island);
      RadiatedTotal = kRadiatedAreasByType[type];
      islands::OpenStartCells(kSolverOpeningsByType[type]);
      islands::RandomStream random(static_cast<uint64_t>(type * 100 + n));
      for (;;) {
        std::vector<int> closed;
        int closedSafe = 0, hidden = RadiatedTotal;
        for (int d = 1; d < Island.cellCount; ++d) {
          if (Island.Cell(d).isExplored) {
            hidden -= Island.Cell(d).isRadiated;
          } else {
            closed.push_back(d);
            closedSafe += !Island.Cell(d).isRadiated;
          }
        }
        if (closed.empty()) break;
        if (Placements(static_cast<int>(closed.size()), hidden) <= 100000 && closedSafe > 0) {
          Deduction exact = DeduceCells(Island, RadiatedTotal);
          Deduction brute = Enumerate(hidden);
          ASSERT_TRUE(exact.consistent && brute.consistent);
          EXPECT_EQ(exact.safe, brute.safe);
          EXPECT_EQ(exact.radiated, brute.radiated);
          ++compared;
        }
        islands::OpenWithCascade(closed[random.Below(static_cast<int>(closed.size()))]);
      }
    }
  }
  EXPECT_GT(compared, 500);
}

}  // namespace
