#include <set>

#include "game/mirror.h"
#include "game/view.h"
#include "game_test_support.h"
#include "platform/random.h"

namespace {

TIsland& FreshIsland() {
  std::memset(&Island, 0, sizeof Island);
  return Island;
}

std::set<int> Neighbours(const TIslandCell& cell) {
  std::set<int> result;
  for (int i = 0; i < cell.neighbourCount; ++i) result.insert(cell.Neighbour(i));
  return result;
}

// Sea 3 everywhere; cell 1 on grid rows 100..109, columns 100..104; cell 2
// on the same rows, columns 105..109. Cell states: 1 unexplored, 2 explored.
void TwoCellIsland() {
  TIsland& island = FreshIsland();
  island.cellCount = 3;
  island.Cell(3).isSea = 1;
  island.Cell(1).state = kStateUnexplored;
  island.Cell(2).state = kStateExplored;
  std::memset(CellGrid, 3, sizeof CellGrid);
  for (int r = 100; r <= 109; ++r) {
    for (int c = 100; c <= 109; ++c) CellGrid[r - 1][c - 1] = c <= 104 ? 1 : 2;
  }
}

uint8_t View(int r, int c) { return ViewStateGrid[r - 1][c - 1]; }
uint8_t ViewCell(int r, int c) { return ViewCellGrid[r - 1][c - 1]; }

}  // namespace

// Guards against wrong numbering down the columns, wrong pixel boxes, or a
// wrong neighbour order and edge flag on the square grid.
TEST(SquareGrid, CornerSideAndInteriorCells) {
  TIsland& island = FreshIsland();
  BuildSquareGrid(island);
  EXPECT_EQ(+island.cellCount, 65);
  EXPECT_TRUE(island.Cell(65).isSea);
  EXPECT_FALSE(island.Cell(65).isLand);

  const TIslandCell& corner = island.Cell(1);  // row 1, column 1
  EXPECT_EQ(+corner.neighbourCount, 3);
  EXPECT_EQ(corner.Neighbour(0), 2);   // down
  EXPECT_EQ(corner.Neighbour(1), 9);   // right
  EXPECT_EQ(corner.Neighbour(2), 10);  // down-right
  EXPECT_TRUE(corner.isEdge);
  EXPECT_EQ(+corner.rowMin, 5);
  EXPECT_EQ(+corner.rowMax, 28);
  EXPECT_EQ(+corner.rowCentre, 17);
  EXPECT_EQ(+corner.colCentre, 17);
  EXPECT_EQ(corner.state, kStateUnexplored);
  EXPECT_TRUE(corner.isLand);

  const TIslandCell& side = island.Cell(9);  // row 1, column 2
  EXPECT_EQ(+side.neighbourCount, 5);
  EXPECT_TRUE(side.isEdge);

  const TIslandCell& interior = island.Cell(2 + 8 * 2);  // row 2, column 3
  ASSERT_EQ(+interior.neighbourCount, 8);
  int expected[8] = {17, 19, 10, 26, 9, 11, 25, 27};  // up, down, left, right, ul, dl, ur, dr
  for (int i = 0; i < 8; ++i) EXPECT_EQ(interior.Neighbour(i), expected[i]);
  EXPECT_FALSE(interior.isEdge);
  EXPECT_EQ(+interior.colMin, 24 * 3 - 19);

  EXPECT_EQ(CellGrid[4][4], 1);
  EXPECT_EQ(CellGrid[3][4], 65);
  EXPECT_EQ(CellGrid[195][195], 64);
  EXPECT_EQ(CellGrid[196][195], 65);
}

// Guards against the rounded mask or its column-wise numbering going wrong.
TEST(RoundedGrid, NumberingFollowsTheMask) {
  TIsland& island = FreshIsland();
  BuildRoundedGrid(island);
  EXPECT_EQ(+island.cellCount, 158);
  EXPECT_TRUE(island.Cell(158).isSea);
  EXPECT_EQ(RoundedCellNumber(3, 1), 1);
  EXPECT_EQ(RoundedCellNumber(11, 1), 9);
  EXPECT_EQ(RoundedCellNumber(1, 3), 21);
  EXPECT_EQ(RoundedCellNumber(2, 3), 22);
  EXPECT_EQ(RoundedCellNumber(11, 13), 157);
  EXPECT_EQ(RoundedCellNumber(1, 2), 0);
  EXPECT_EQ(RoundedCellNumber(2, 1), 0);

  std::set<int> numbers;
  for (int d = 1; d <= 157; ++d) {
    EXPECT_EQ(+island.Cell(d).number, d);
    EXPECT_TRUE(island.Cell(d).isLand);
    numbers.insert(island.Cell(d).number);
  }
  EXPECT_EQ(numbers.size(), 157u);

  const TIslandCell& top = island.Cell(21);
  EXPECT_TRUE(top.isEdge);
  EXPECT_EQ(top.Neighbour(0), 22);  // down comes first: there is nothing above
  EXPECT_EQ(Neighbours(top), (std::set<int>{22, 34, 10, 35}));
  EXPECT_EQ(+top.rowMin, 3);
  EXPECT_EQ(+top.rowCentre, 12);
  EXPECT_EQ(+top.colMin, 39);
  EXPECT_EQ(+island.Cell(RoundedCellNumber(7, 7)).neighbourCount, 8);
  EXPECT_FALSE(island.Cell(RoundedCellNumber(7, 7)).isEdge);
  EXPECT_EQ(CellGrid[2][38], 21);
}

// Guards against the mirrored geometry being off by one, the column centre
// using 256 instead of 257 included.
TEST(Mirroring, BothMirrorsOnTheSquareGrid) {
  TIsland& island = FreshIsland();
  BuildSquareGrid(island);
  MirrorTopToBottom(island);
  MirrorLeftToRight(island);
  const TIslandCell& cell = island.Cell(1);
  EXPECT_EQ(+cell.rowMin, 228);
  EXPECT_EQ(+cell.rowMax, 251);
  EXPECT_EQ(+cell.rowCentre, 239);
  EXPECT_EQ(+cell.colMin, 228);
  EXPECT_EQ(+cell.colMax, 251);
  EXPECT_EQ(+cell.colCentre, 240);
  EXPECT_EQ(CellGrid[227][227], 1);
  EXPECT_EQ(CellGrid[250][250], 1);
  EXPECT_EQ(CellGrid[4][4], 65);
  EXPECT_EQ(island.Cell(1).Neighbour(0), 2);
}

// Guards against the random mirroring always or never mirroring, or doing
// something other than the two mirrors.
TEST(Mirroring, RandomMirroringChoosesAmongFourPictures) {
  std::set<int> seen;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    TIsland& island = FreshIsland();
    BuildSquareGrid(island);
    platform::SetRandomSeed(seed);
    MirrorIslandRandomly(island);
    int rowMin = island.Cell(1).rowMin, colMin = island.Cell(1).colMin;
    ASSERT_TRUE(rowMin == 5 || rowMin == 228);
    ASSERT_TRUE(colMin == 5 || colMin == 228);
    EXPECT_EQ(CellGrid[rowMin - 1][colMin - 1], 1);
    seen.insert((rowMin == 228) * 2 + (colMin == 228));
  }
  EXPECT_EQ(seen.size(), 4u);
}

// Guards against the border mask comparing the pixel itself or missing a
// neighbour that differs, and against a mask carried over from before.
TEST(BorderMaskTest, MarksPixelsWhoseNeighboursDiffer) {
  TwoCellIsland();
  std::memset(BorderMask, 1, sizeof BorderMask);
  BuildBorderMask();
  auto mask = [](int r, int c) { return BorderMask[r - 1][c - 1]; };
  EXPECT_EQ(mask(100, 100), 1);  // sea above and left, cell 1 right and below
  EXPECT_EQ(mask(105, 102), 0);  // inside cell 1
  EXPECT_EQ(mask(104, 104), 1);  // cell 2 on its right
  EXPECT_EQ(mask(104, 105), 1);
  EXPECT_EQ(mask(99, 100), 1);   // sea pixel above the island
  EXPECT_EQ(mask(99, 99), 0);    // only its corner touches the island
  EXPECT_EQ(mask(1, 1), 0);
  EXPECT_EQ(mask(255, 255), 0);
}

// Guards against the smoothing, border-line, conversion and shadow passes
// drawing the boundary in the wrong place or overwriting the wrong codes.
TEST(ViewPasses, TwoCellIslandPicture) {
  TwoCellIsland();
  BuildBorderMask();
  BuildView(Island);
  // Inside the cells: the cells' states.
  EXPECT_EQ(View(205, 203), kStateUnexplored);
  EXPECT_EQ(View(205, 215), kStateExplored);
  EXPECT_EQ(ViewCell(205, 203), 1);
  // The boundary between grid columns 104 and 105 is one line, on the left.
  EXPECT_EQ(View(209, 207), kStateUnexplored);
  EXPECT_EQ(View(209, 208), kCodeBorderLine);
  EXPECT_EQ(View(209, 209), kStateExplored);
  EXPECT_EQ(ViewCell(209, 208), 1);
  EXPECT_EQ(ViewCell(209, 209), 2);
  // The coastline on the right is drawn on the island's last column; the
  // shadow falls on the sea to its right but never on the line itself.
  EXPECT_EQ(View(210, 218), kCodeBorderLine);
  EXPECT_EQ(View(210, 219), kCodeCoastShadow);
  EXPECT_EQ(View(210, 225), 0);
  // The sea above and to the left of the island gets no shadow.
  EXPECT_EQ(View(190, 190), 0);
  EXPECT_EQ(View(210, 195), 0);
  // The island's outer corner is rounded off to sea by the smoothing.
  EXPECT_EQ(ViewCell(218, 218), 3);
}

// Guards against a refresh that touches border lines and shadows or misses a
// changed state.
TEST(ViewPasses, RefreshFollowsCellStates) {
  TwoCellIsland();
  BuildBorderMask();
  BuildView(Island);
  Island.Cell(1).state = kStateRadiated;
  RefreshView(Island);
  EXPECT_EQ(View(205, 203), kStateRadiated);
  EXPECT_EQ(View(209, 208), kCodeBorderLine);
  EXPECT_EQ(View(210, 219), kCodeCoastShadow);
  EXPECT_EQ(View(205, 215), kStateExplored);
}

// Guards against the picture being centred on the wrong point.
TEST(ViewPasses, CentringUsesTheIslandBox) {
  TwoCellIsland();
  CentreView();
  EXPECT_EQ(OffsetX, 350 - (100 + 109));
  EXPECT_EQ(OffsetY, 294 - (100 + 109));
}
