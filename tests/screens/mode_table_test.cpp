// The table of the screens by role, as the splash loads them.
#include <gtest/gtest.h>

#include <string>

#include "screen_fixture.h"
#include "screens/mode_table.h"
#include "support/program_stops.h"

namespace {

using screens_testing::ScreenTest;

// Guards against a screen the splash cannot load from the built program
// directory (a missing picture, layout or size file ends the game at
// start-up), against a role given the wrong screen, and against a framed
// window placed off the screen.
TEST_F(ScreenTest, EveryScreenOfTheTableLoadsUnderItsName) {
  const ScreenModes table = ScreenModeTable();
  const struct {
    tmode* mode;
    const char* name;
    int buttons;
  } roles[] = {
      {table.message, "Message", 2},  {table.newRecord, "NewRecord", 1}, {table.finish, "Finish", 2},
      {table.help, "Help", 1},        {table.options, "Options", 7},     {table.failure, "Fail", 2},
      {table.scores, "Scores", 2},    {table.mapSelection, "SelectMap", 5},
  };
  for (const auto& role : roles) {
    ASSERT_NE(role.mode, nullptr) << role.name;
    const testing_support::ProgramStop stop = testing_support::StopOf([&] { role.mode->Load(); });
    ASSERT_EQ(stop.kind, testing_support::StopKind::kNone) << role.name << ": " << stop.what();
    EXPECT_EQ(role.mode->ModeName, role.name);
    EXPECT_TRUE(role.mode->loaded) << role.name;
    EXPECT_EQ(role.mode->buttonCount, role.buttons) << role.name;
    EXPECT_GE(role.mode->X + 40, 0) << role.name;  // the message box sits 40 left of centre
    EXPECT_LE(role.mode->X + role.mode->Width, 800) << role.name;
    EXPECT_LE(role.mode->Y + role.mode->Height, 600) << role.name;
  }
}

}  // namespace
