#include <gtest/gtest.h>

#include "support/test_display.h"

namespace {


class WindowProcedureTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }
  void TearDown() override { StartupComplete = true; }
};

// Guards against a closed window leaving the process running or writing an
// error report.
TEST_F(WindowProcedureTest, DestroyEndsWithTheEmptyMessage) {
  testing_support::ProgramStop stop =
      testing_support::StopOf([] { GameWindowProcedure(MainWindowHandle, platform::WM_DESTROY, 0, 0); });
  EXPECT_EQ(stop.kind, testing_support::StopKind::kFatalExit);
  EXPECT_STREQ(stop.what(), "");
}

// Guards against losing track of a deactivation during loading, or missing
// the restore after a later reactivation.
TEST_F(WindowProcedureTest, ActivationFlagsDependOnStartupState) {
  StartupComplete = false;
  GameWindowProcedure(MainWindowHandle, platform::WM_ACTIVATE, platform::WA_INACTIVE, 0);
  EXPECT_FALSE(AppActive);
  EXPECT_EQ(DeactivatedDuringStartup, 1);
  GameWindowProcedure(MainWindowHandle, platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
  EXPECT_TRUE(AppActive);
  EXPECT_EQ(SurfacesLost, 0);  // nothing to restore before loading is done
  StartupComplete = true;
  GameWindowProcedure(MainWindowHandle, platform::WM_ACTIVATE, platform::WA_INACTIVE, 0);
  GameWindowProcedure(MainWindowHandle, platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
  EXPECT_EQ(SurfacesLost, 1);
}

// Guards against messages the game does not handle being queued, and mouse
// positions unpacked as signed or swapped.
TEST_F(WindowProcedureTest, QueuesOnlyInputMessagesWithPositions) {
  GameWindowProcedure(MainWindowHandle, 0x0102 /* character */, 'a', 0);
  GameWindowProcedure(MainWindowHandle, 0x0203 /* double-click */, 1, 0);
  EXPECT_EQ(InputQueue.count, 0);
  GameWindowProcedure(MainWindowHandle, platform::WM_MOUSEMOVE, 0, platform::MakeMouseLParam(799, 599));
  EXPECT_EQ(MouseX, 799);
  EXPECT_EQ(MouseY, 599);
  ASSERT_EQ(InputQueue.count, 1);
  EXPECT_EQ(InputQueue.entries[0].Message, platform::WM_MOUSEMOVE);
  EXPECT_EQ(platform::MouseYFromLParam(InputQueue.entries[0].LParam), 599);
}

}  // namespace
