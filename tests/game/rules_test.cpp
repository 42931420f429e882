#include "game/clock.h"
#include "game/options_file.h"
#include "game/rules.h"
#include "game/scores_file.h"
#include "game/view.h"
#include "game_test_support.h"

namespace {

uint32_t g_tick = 0;
uint32_t TestTick() { return g_tick; }

// Square cell number at grid row a, column b.
constexpr int Square(int a, int b) { return (b - 1) * 8 + a; }

class Rules : public GameDirectoryTest {
 protected:
  void SetUp() override {
    GameDirectoryTest::SetUp();
    g_tick = 100000;
    platform::SetTickSource(TestTick);
    LoadScores();
    NewRecordPlace = 0;
    CurrentMapType = 2;
    GameOptions.radiationFatal = 1;
    StartTick = 0;
    EndTick = 0;
    StatusText.clear();
    ResultText.clear();
  }

  // An 8 x 8 square island in play, radiated areas at `radiated`.
  void Play(const std::vector<int>& radiated) {
    MakeSquareIsland(Island, radiated, 0);
    RadiatedTotal = static_cast<int32_t>(radiated.size());
    Island.accountedRadiated = 0;
    Island.active = 1;
    Island.prepared = 1;
    GameRunning = 1;
    BuildBorderMask();
    BuildView(Island);
  }

  int ExploredCells() {
    int count = 0;
    for (int d = 1; d <= Island.cellCount; ++d) count += Island.Cell(d).isExplored;
    return count;
  }
};

}  // namespace

// Guards against a score clock that breaks when the tick counter passes 2^31
// or wraps at 2^32, or that does not count the first partial second.
TEST_F(Rules, ClockAcrossTickCounterLimits) {
  Island.active = 1;
  StartTick = 0;
  EXPECT_EQ(ElapsedSeconds(), 1);
  g_tick = 0x7FFFFF00u;
  StartTick = static_cast<int32_t>(g_tick);
  EXPECT_EQ(ElapsedSeconds(), 1);
  g_tick += 999;
  EXPECT_EQ(ElapsedSeconds(), 1);
  g_tick += 1;  // now past 2^31
  EXPECT_EQ(ElapsedSeconds(), 2);
  StartTick = static_cast<int32_t>(0xFFFFFC18u);  // 1 s before the wrap
  g_tick = 3000;
  EXPECT_EQ(ElapsedSeconds(), 5);
  Island.active = 0;
  EndTick = 10000;
  EXPECT_EQ(ElapsedSeconds(), 12);
}

// Guards against hover codes mixing up the sea, explored, radiated and
// unexplored cells, or a number that names no cell being used.
TEST_F(Rules, HoverCodes) {
  Play({1});
  SetHoverCell(Island, 20);
  EXPECT_EQ(Island.hoverCode, 20);
  SetHoverCell(Island, 65);
  EXPECT_EQ(Island.hoverCode, kHoverSea);
  Island.Cell(20).isExplored = 1;
  SetHoverCell(Island, 20);
  EXPECT_EQ(Island.hoverCode, kHoverNothing);
  Island.Cell(1).isExplored = 1;
  SetHoverCell(Island, 1);
  EXPECT_EQ(Island.hoverCode, kHoverRadiated);
  SetHoverCell(Island, 200);
  EXPECT_EQ(Island.hoverCode, kHoverNothing);
}

// Guards against a cascade that misses cells, plays the empty-cell sound
// other than once per empty cell, or detects the win more than once or
// before every cell is open.
TEST_F(Rules, CascadeOpensRegionAndWinsOnce) {
  Play({1});
  OpenCell(Island, Square(8, 8));
  EXPECT_EQ(ExploredCells(), 63);
  EXPECT_EQ(+Island.exploredCount, 63);
  EXPECT_EQ(screen.SoundCount(kSoundOpenedEmpty), 60);
  EXPECT_EQ(screen.SoundCount(kSoundOpenedDigit), 3);
  EXPECT_EQ(Island.active, 0);
  EXPECT_EQ(StatusText, "Victory!");
  EXPECT_EQ(ResultText, "Victory!");
  EXPECT_EQ(screen.Count("push new record") + screen.Count("push finish"), 1);
  // The radiated area is marked, not opened, and none is left to find.
  EXPECT_TRUE(Island.Cell(1).isMarked);
  EXPECT_FALSE(Island.Cell(1).isExplored);
  EXPECT_EQ(RadiatedTotal - +Island.accountedRadiated, 0);
  EXPECT_EQ(EndTick, 100000);
  // The view shows every opened cell as explored.
  EXPECT_EQ(ViewStateGrid[2 * 190][2 * 190], kStateExplored);
}

// Guards against a wrong place, sound or texts for a winning time.
TEST_F(Rules, WinEntersTheBestScores) {
  Play({1});
  OpenCell(Island, Square(8, 8));  // the clock starts and stops in the same tick
  EXPECT_EQ(NewRecordPlace, 1);
  EXPECT_EQ(screen.SoundCount(kSoundFirstPlace), 1);
  EXPECT_EQ(screen.recordLine1, "You complete this map for 1 seconds");
  EXPECT_EQ(screen.recordLine2, "and have got the 1 place");
}

// Guards against a time equal to the tenth entry earning a place, and a
// slower time not ending on the finish screen.
TEST_F(Rules, WinWithoutPlaceShowsFinishScreen) {
  Play({1});
  OpenCell(Island, Square(2, 2));  // a digit: the clock starts
  g_tick += 249 * 1000;            // 250 seconds, as the tenth entry
  OpenCell(Island, Square(8, 8));
  EXPECT_EQ(NewRecordPlace, 0);
  EXPECT_EQ(screen.SoundCount(kSoundFinished), 1);
  EXPECT_EQ(screen.Count("push finish"), 1);
  EXPECT_EQ(screen.Count("push new record"), 0);
}

// Guards against the penalty not moving the clock back or not counting the
// radiated area, and against the game going on after it.
TEST_F(Rules, PenaltyCostsThirtySecondsEach) {
  GameOptions.radiationFatal = 0;
  Play({1, 64});
  OpenCell(Island, Square(2, 2));  // a digit: the clock starts
  int32_t started = StartTick;
  OpenCell(Island, 1);
  OpenCell(Island, 64);
  EXPECT_EQ(StartTick, started - 60000);
  EXPECT_EQ(+Island.accountedRadiated, 2);
  EXPECT_EQ(screen.SoundCount(kSoundPenalty), 2);
  EXPECT_EQ(Island.active, 1);
  EXPECT_EQ(Island.Cell(1).state, kStateRadiated);
  EXPECT_EQ(ElapsedSeconds(), 61);
}

// Guards against a fatal radiated area leaving the game running or hiding
// the other radiated areas.
TEST_F(Rules, FatalRadiatedAreaEndsTheGame) {
  Play({1, 64, 30});
  OpenCell(Island, 30);
  EXPECT_EQ(Island.active, 0);
  EXPECT_EQ(StatusText, "You have failed!");
  EXPECT_EQ(ResultText, "You have failed!");
  EXPECT_EQ(screen.SoundCount(kSoundFailed), 1);
  EXPECT_EQ(screen.Count("push fail"), 1);
  for (int d : {1, 64, 30}) {
    EXPECT_TRUE(Island.Cell(d).isExplored);
    EXPECT_EQ(Island.Cell(d).state, kStateRadiated);
  }
  EXPECT_EQ(+Island.accountedRadiated, 3);
  EXPECT_EQ(+Island.exploredCount, 0);
  EXPECT_EQ(screen.Count("repaint 30"), 2);  // among the radiated cells, then itself
}

// Guards against marks that miscount, act on explored cells or the sea, or
// survive the opening of their cell.
TEST_F(Rules, MarksToggleAndOpeningRemovesThem) {
  Play({1});
  ToggleMark(Island, 20);
  EXPECT_TRUE(Island.Cell(20).isMarked);
  EXPECT_EQ(+Island.accountedRadiated, 1);
  EXPECT_EQ(StatusText, "Marked area");
  ToggleMark(Island, 20);
  EXPECT_FALSE(Island.Cell(20).isMarked);
  EXPECT_EQ(+Island.accountedRadiated, 0);
  EXPECT_EQ(StatusText, "Unexplored area");
  EXPECT_EQ(screen.sounds, (std::vector<int>{kSoundMarked, kSoundUnmarked}));

  ToggleMark(Island, 65);
  EXPECT_FALSE(Island.Cell(65).isMarked);
  ToggleMark(Island, 2);
  OpenCell(Island, 2);
  EXPECT_FALSE(Island.Cell(2).isMarked);
  EXPECT_EQ(+Island.accountedRadiated, 0);
  ToggleMark(Island, 2);
  EXPECT_FALSE(Island.Cell(2).isMarked);
}

// Guards against opening by count with too few marks, and against it not
// opening the other neighbours (a wrong mark opening a radiated area).
TEST_F(Rules, OpeningByCount) {
  GameOptions.radiationFatal = 0;
  Play({1, 17, 12});
  int digit = Square(2, 2);  // touches 1 and 17 (row 1, column 3); its neighbours are digits
  OpenCell(Island, digit);
  ASSERT_EQ(Island.Cell(digit).radiatedNeighbours, 2);
  ToggleMark(Island, 1);
  OpenByCount(Island, digit);
  EXPECT_FALSE(Island.Cell(2).isExplored);

  ToggleMark(Island, 3);  // wrong: 17 is the radiated one
  OpenByCount(Island, digit);
  EXPECT_TRUE(Island.Cell(17).isExplored);
  EXPECT_EQ(screen.SoundCount(kSoundPenalty), 1);
  EXPECT_FALSE(Island.Cell(3).isExplored);
  EXPECT_TRUE(Island.Cell(9).isExplored);
}

// Guards against an opening before the map is in play starting the clock,
// and against a cell number that names no cell being opened.
TEST_F(Rules, OpeningsDuringPreparationKeepTheClockStopped) {
  Play({1, 12});
  GameRunning = 0;
  OpenCell(Island, 20);
  EXPECT_EQ(StartTick, 0);
  OpenCell(Island, 0);
  OpenCell(Island, 300);
  EXPECT_EQ(+Island.exploredCount > 0, true);
  GameRunning = 1;
  OpenCell(Island, 2);
  EXPECT_EQ(StartTick, 100000);
}
