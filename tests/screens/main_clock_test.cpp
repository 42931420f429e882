#include <gtest/gtest.h>

#include "game/clock.h"
#include "game/island.h"
#include "platform/clock.h"
#include "screens/main_mode.h"

namespace {

uint32_t g_tick = 0;
uint32_t TestTick() { return g_tick; }

class MainClock : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetTickSource(TestTick); }
  void TearDown() override {
    platform::SetTickSource(nullptr);
    StartTick = EndTick = 0;
    Island.active = 0;
  }
};

}  // namespace

// Guards against a pause over the main screen counted into the player's
// time, and against a resumption that moves a clock that has not started
// or has stopped (the first opening or the final time would then be wrong),
// also when the tick counter wraps during the pause.
TEST_F(MainClock, PauseLeavesOnlyARunningClockUntouched) {
  Island.active = 1;
  g_tick = 0xFFFFF000u;
  StartTick = static_cast<int32_t>(g_tick - 4500);  // 5th second
  OptionsHelpPauseTick = g_tick;
  g_tick += 60000;  // a minute on the help screen, across the wrap
  ResumeGameClock(OptionsHelpPauseTick);
  EXPECT_EQ(ElapsedSeconds(), 5);

  StartTick = 0;
  ScoresPauseTick = g_tick;
  g_tick += 20000;
  ResumeGameClock(ScoresPauseTick);
  EXPECT_EQ(StartTick, 0);

  Island.active = 0;
  StartTick = static_cast<int32_t>(g_tick - 9000);
  EndTick = static_cast<int32_t>(g_tick - 1000);
  ScoresPauseTick = g_tick;
  g_tick += 20000;
  ResumeGameClock(ScoresPauseTick);
  EXPECT_EQ(ElapsedSeconds(), 9);
}
