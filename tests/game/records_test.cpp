#include <cstddef>

#include <gtest/gtest.h>

#include "game/island.h"
#include "game/island_files.h"
#include "game/solver.h"

// Guards against a field moved in the cell record, which is read byte for
// byte from the island archive.
TEST(IslandRecords, CellFieldsSitAtTheirFileOffsets) {
  EXPECT_EQ(offsetof(TIslandCell, number), 0u);
  EXPECT_EQ(offsetof(TIslandCell, neighbourCount), 4u);
  EXPECT_EQ(offsetof(TIslandCell, neighbourSlots), 10u);
  EXPECT_EQ(offsetof(TIslandCell, isSea), 104u);
  EXPECT_EQ(offsetof(TIslandCell, isEdge), 105u);
  EXPECT_EQ(offsetof(TIslandCell, isRadiated), 106u);
  EXPECT_EQ(offsetof(TIslandCell, isMarked), 107u);
  EXPECT_EQ(offsetof(TIslandCell, isExplored), 108u);
  EXPECT_EQ(offsetof(TIslandCell, isLand), 109u);
  EXPECT_EQ(offsetof(TIslandCell, state), 110u);
  EXPECT_EQ(offsetof(TIslandCell, radiatedNeighbours), 111u);
  EXPECT_EQ(offsetof(TIslandCell, rowMin), 112u);
  EXPECT_EQ(offsetof(TIslandCell, rowMax), 116u);
  EXPECT_EQ(offsetof(TIslandCell, colMin), 120u);
  EXPECT_EQ(offsetof(TIslandCell, colMax), 124u);
  EXPECT_EQ(offsetof(TIslandCell, rowCentre), 128u);
  EXPECT_EQ(offsetof(TIslandCell, colCentre), 132u);
}

// Guards against neighbour i being read from anywhere but offset 10 + 4i,
// the 24th included (it shares its slot with isSea / isEdge).
TEST(IslandRecords, NeighbourSlotsAreFourBytesApart) {
  TIslandCell cell = {};
  for (int i = 0; i < kMaxNeighbours; ++i) cell.SetNeighbour(i, 0x100 + i);
  cell.isSea = 1;
  cell.isEdge = 1;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&cell);
  for (int i = 0; i < kMaxNeighbours; ++i) {
    EXPECT_EQ(bytes[10 + 4 * i], i);
    EXPECT_EQ(bytes[11 + 4 * i], 1);
  }
  EXPECT_EQ(cell.Neighbour(23), 0x100 + 23);
  EXPECT_EQ(bytes[104], 1);
}

// Guards against a moved field of the island record or a cell at the wrong
// place in it.
TEST(IslandRecords, IslandFieldsSitAtTheirFileOffsets) {
  EXPECT_EQ(offsetof(TIsland, active), 0u);
  EXPECT_EQ(offsetof(TIsland, prepared), 1u);
  EXPECT_EQ(offsetof(TIsland, cellCount), 2u);
  EXPECT_EQ(offsetof(TIsland, hoverCode), 4u);
  EXPECT_EQ(offsetof(TIsland, cells), 5u);
  EXPECT_EQ(offsetof(TIsland, exploredCount), 21768u);
  EXPECT_EQ(offsetof(TIsland, accountedRadiated), 21772u);
  TIsland island = {};
  const uint8_t* base = reinterpret_cast<const uint8_t*>(&island);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&island.Cell(7)) - base, 5 + 6 * 136);
}

// Guards against the pointer table or a constraint changing size or order.
TEST(IslandRecords, PointerAndConstraintLayouts) {
  EXPECT_EQ(offsetof(ArchivePointer, mapOffset), 0u);
  EXPECT_EQ(offsetof(ArchivePointer, infoOffset), 4u);
  EXPECT_EQ(offsetof(Constraint, size), 0u);
  EXPECT_EQ(offsetof(Constraint, radiated), 1u);
  EXPECT_EQ(offsetof(Constraint, members), 2u);
}
