#include "game/clock.h"
#include "game/file_block.h"
#include "game/island_rotation.h"
#include "game/map_start.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/scores_file.h"
#include "game/solver.h"
#include "game/view.h"
#include "game_test_support.h"
#include "platform/random.h"

namespace {

class NewMap : public GameDirectoryTest {
 protected:
  void SetUp() override {
    GameDirectoryTest::SetUp();
    GameOptions = {1, 1, 1, 1};
    LoadScores();
    WriteLayoutFile(2, 65, {1, 2, 3, 9, 10, 11, 40, 50, 60, 62, 63, 64}, 36);
    WriteLayoutFile(3, 65, {1, 2, 3, 9, 10, 11, 40, 50, 60, 62, 63, 64, 20, 21, 22}, 36);
    std::vector<int> rounded;
    for (int d = 1; d <= 36; ++d) rounded.push_back(4 * d);
    WriteLayoutFile(4, 158, rounded, 79);
    TIsland archived;
    MakeSquareIsland(archived, {1, 2, 3, 9, 10, 11, 40, 50, 60, 62, 63, 64, 17}, 36);
    WriteArchive(archived, CellGrid);
  }

  void Start(int mapType, uint32_t seed) {
    GameOptions.mapType = static_cast<uint8_t>(mapType);
    platform::SetRandomSeed(seed);
    screen.calls.clear();
    StartNewMap(Island);
  }
};

size_t IndexOf(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

}  // namespace

// Guards against a preparation that leaves the map unplayable or in the
// wrong state: counters, clock, flags, start cell and queued input.
TEST_F(NewMap, EveryMapTypeEndsReadyToPlay) {
  for (int mapType = 1; mapType <= 4; ++mapType) {
    SCOPED_TRACE(mapType);
    QueueInputEvent(platform::WM_LBUTTONDOWN, 1, 0);
    LeftButtonHeld = true;
    RightButtonHeld = true;
    Start(mapType, 7);
    EXPECT_EQ(CurrentMapType, mapType);
    EXPECT_EQ(RadiatedTotal, kRadiatedAreasByType[mapType]);
    EXPECT_EQ(Island.active, 1);
    EXPECT_EQ(Island.prepared, 1);
    EXPECT_EQ(GameRunning, 1);
    EXPECT_EQ(StartTick, 0);
    EXPECT_EQ(EndTick, 0);
    EXPECT_EQ(+Island.accountedRadiated, 0);
    EXPECT_EQ(InputQueue.count, 0);
    EXPECT_FALSE(LeftButtonHeld);
    EXPECT_FALSE(RightButtonHeld);
    EXPECT_TRUE(StatusText.empty());
    EXPECT_GT(+Island.exploredCount, 0);
  }
}

// Guards against the screen being asked for things out of order: the busy
// pointer and status text first, the picture before the transition, the
// arrow back before the first cell opens.
TEST_F(NewMap, ScreenSequence) {
  Start(2, 3);
  const std::vector<std::string>& calls = screen.calls;
  ASSERT_GE(calls.size(), 9u);
  EXPECT_EQ(calls[0], "pointer 2");
  EXPECT_EQ(calls[1], "redraw status");
  EXPECT_EQ(calls[2], "render island");
  EXPECT_EQ(calls[3], "map loaded");
  EXPECT_EQ(calls[4], "prepare transition");
  EXPECT_EQ(calls[5], "sound 60");
  EXPECT_EQ(calls[6], "transition 1 600");
  EXPECT_EQ(calls[7], "pointer 1");
  EXPECT_LT(IndexOf(calls, "pointer 1"), IndexOf(calls, "repaint 36"));
}

// Guards against the solver openings not happening on the generated types
// (or happening on the original type): replaying the start cell and the
// solver's answers on the same island must open exactly the same cells.
TEST_F(NewMap, SolverOpeningsFollowTheStartCell) {
  for (int mapType : {1, 2}) {
    SCOPED_TRACE(mapType);
    Start(mapType, 5);
    TIsland prepared = Island;
    for (int d = 1; d <= Island.cellCount; ++d) {
      Island.Cell(d).isExplored = 0;
      Island.Cell(d).state = kStateUnexplored;
    }
    Island.exploredCount = 0;
    OpenCell(Island, 36);
    int solverOpened = 0;
    for (int i = 0; i < kSolverOpeningsByType[mapType]; ++i) {
      int32_t safe = FindSafeCell();
      if (safe > 0) {
        OpenCell(Island, safe);
        ++solverOpened;
      }
    }
    EXPECT_EQ(solverOpened, mapType == 1 ? 0 : 2);
    for (int d = 1; d <= Island.cellCount; ++d) {
      EXPECT_EQ(Island.Cell(d).isExplored, prepared.Cell(d).isExplored) << "cell " << d;
    }
  }
}

// Guards against a border mask or view carried over from the previous map:
// the same island prepared after another gives the same picture.
TEST_F(NewMap, SecondMapMatchesFirst) {
  int32_t counter = 10;
  WriteFileBlock(kIslandCounterFile, &counter, 0, sizeof counter);
  Start(3, 11);
  std::vector<uint8_t> view(&ViewStateGrid[0][0], &ViewStateGrid[0][0] + sizeof ViewStateGrid);
  int32_t offsetX = OffsetX, offsetY = OffsetY;

  Start(4, 99);
  WriteFileBlock(kIslandCounterFile, &counter, 0, sizeof counter);
  Start(3, 11);
  EXPECT_EQ(std::memcmp(view.data(), ViewStateGrid, view.size()), 0);
  EXPECT_EQ(OffsetX, offsetX);
  EXPECT_EQ(OffsetY, offsetY);
}

// Guards against a damaged map type in the options indexing past the tables.
TEST_F(NewMap, UnknownMapTypePlaysTheOriginalMap) {
  Start(9, 1);
  EXPECT_EQ(CurrentMapType, 1);
  EXPECT_EQ(RadiatedTotal, 13);
}
