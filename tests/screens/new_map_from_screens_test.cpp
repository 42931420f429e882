// The screens over the main one that leave it with a new map.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "game/game_host.h"
#include "main_screen_fixture.h"
#include "screens/fail_mode.h"
#include "screens/finish_mode.h"
#include "screens/select_map_mode.h"

namespace {

using main_screen_testing::MainScreenTest;
using screens_testing::Changed;
using screens_testing::ChangedPixels;
using screens_testing::FileBytes;

// Keeps, at the first step of a map's preparation, the status text and the
// status line as the screen shows it.
struct PreparationWatch final : GameHost {
  void KeepWindowAlive() override {
    if (status.empty()) {
      status = StatusText;
      statusLine = CreateOffscreen(800, 600);
      CopySurface(*statusLine, 0, 0, *PrimarySurface, kCopyWait);
    }
  }
  void DiscardQueuedInput() override {}
  void FatalError(const std::string& message) override { throw std::runtime_error(message); }
  std::string status;
  SurfaceRef statusLine;
};

class NewMapTest : public MainScreenTest {
 protected:
  void SetUp() override {
    MainScreenTest::SetUp();
    GameHostOutput = &watch_;
  }
  void TearDown() override {
    GameHostOutput = nullptr;
    MainScreenTest::TearDown();
  }
  PreparationWatch watch_;
};

// Guards against closing the map selection on another type without a new
// map, or with one that shows nothing while it is prepared; and against
// the choice not saved with the other options.
TEST_F(NewMapTest, ClosingTheSelectionOnAnotherTypeStartsAMapAtOnce) {
  PlayKnownMap({1, 2, 3});
  Enter(&MapSelectionScreen, false);
  MapSelectionScreen.ButtonPressed(4);
  main_screen_testing::g_stepping = true;
  MapSelectionScreen.ButtonPressed(5);
  main_screen_testing::g_stepping = false;
  EXPECT_EQ(CurrentMode(), &MainMode);
  EXPECT_EQ(CurrentMapType, 4);
  EXPECT_EQ(Island.active, 1);
  EXPECT_EQ(watch_.status, "Generating new map...");
  ASSERT_NE(watch_.statusLine, nullptr);
  const Changed status = ChangedPixels(*watch_.statusLine, *PrimarySurface, 554, 593);
  EXPECT_NE(status.bottom, -1) << "no status text while the map was prepared";
  EXPECT_EQ(FileBytes(Folder() / kOptionsFile), (std::vector<uint8_t>{1, 1, 0, 4}));
}

// Guards the end-of-map screens' "New map": back on the main screen alone,
// with a fresh map of the type in the options, the clock not started.
TEST_F(NewMapTest, NewMapFromTheEndScreensPreparesOne) {
  for (tmode* screen : {static_cast<tmode*>(&FinishScreen), static_cast<tmode*>(&FailureScreen)}) {
    PlayKnownMap({1, 2, 3});
    Island.active = 0;
    StartTick = 1000;
    EndTick = 9000;
    Enter(screen, false);
    watch_.status.clear();
    main_screen_testing::g_stepping = true;
    screen->ButtonPressed(1);
    main_screen_testing::g_stepping = false;
    EXPECT_EQ(CurrentMode(), &MainMode) << screen->ModeName;
    EXPECT_EQ(ModeStackDepth(), 1);
    EXPECT_EQ(Island.active, 1) << screen->ModeName;
    EXPECT_EQ(StartTick, 0);
    EXPECT_EQ(EndTick, 0);
    EXPECT_EQ(watch_.status, "Generating new map...");
  }
}

}  // namespace
