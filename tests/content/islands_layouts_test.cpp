// The shipped layouts of the generated map types, read through the game's
// own loader on the grids the game builds.
#include <cstring>

#include "islands_test_support.h"

namespace {

using islands_test::kIslands;
using islands_test::kLayoutSizes;
using islands_test::LayoutName;
using islands_test::ReadShipped;

// Guards against files of the wrong length (the game reads record n at
// n x 65 or n x 158) and bytes that mean something unintended.
TEST(IslandLayouts, FilesHold128RecordsOfPlainRadiatedAndStartBytes) {
  for (int type = 2; type <= 4; ++type) {
    SCOPED_TRACE(type);
    std::vector<uint8_t> file = ReadShipped(LayoutName(type));
    int size = kLayoutSizes[type];
    ASSERT_EQ(file.size(), static_cast<size_t>(kIslands * size));
    for (int n = 0; n < kIslands; ++n) {
      const uint8_t* record = &file[n * size];
      int radiated = 0, starts = 0;
      for (int i = 0; i < size; ++i) {
        EXPECT_LE(record[i], 2) << "record " << n << " byte " << i;
        radiated += record[i] == 1;
        starts += record[i] == 2;
      }
      EXPECT_EQ(radiated, kRadiatedAreasByType[type]) << "record " << n;
      EXPECT_EQ(starts, 1) << "record " << n;
      EXPECT_EQ(record[size - 1], 0) << "the sea of record " << n;
    }
  }
}

class LayoutLoading : public islands_test::ScratchProgramDirectory {};

// Guards against layouts whose start cell the game cannot open safely or
// that does not cascade, whatever record the rotation picks.
TEST_F(LayoutLoading, EveryLayoutLoadsWithAQuietStartCell) {
  for (int type = 2; type <= 4; ++type) {
    for (int n = 0; n < kIslands; ++n) {
      SCOPED_TRACE(testing::Message() << "type " << type << " record " << n);
      PlayNext(type, n);
      std::memset(&Island, 0, sizeof Island);
      LoadIsland(Island);
      ASSERT_EQ(IslandNumber, n);
      ASSERT_EQ(int{Island.cellCount}, kLayoutSizes[type]);
      int radiated = 0;
      for (int d = 1; d <= Island.cellCount; ++d) radiated += Island.Cell(d).isRadiated;
      EXPECT_EQ(radiated, kRadiatedAreasByType[type]);
      int start = Island.accountedRadiated;
      ASSERT_TRUE(start >= 1 && start < Island.cellCount);
      EXPECT_EQ(Island.Cell(start).isRadiated, 0);
      EXPECT_EQ(Island.Cell(start).radiatedNeighbours, 0);
    }
  }
}

}  // namespace
