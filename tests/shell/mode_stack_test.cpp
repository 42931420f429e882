#include <gtest/gtest.h>

#include <fstream>

#include "recording_mode.h"
#include "support/test_display.h"

namespace {

using testing_support::StopKind;
using testing_support::StopOf;

class ModeStackTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }
};

// Guards against a stack operation that forgets to enter the new current
// mode or to remember the previous one.
TEST_F(ModeStackTest, PushSwitchAndPopEnterTheNewCurrentMode) {
  RecordingMode main{"Main"}, options{"Options"}, message{"Message"};
  SwitchMode(&main);
  EXPECT_EQ(CurrentMode(), &main);
  EXPECT_EQ(PreviousMode, nullptr);
  PushMode(&options);
  PushMode(&message);
  EXPECT_EQ(ModeStackDepth(), 3);
  EXPECT_EQ(PreviousMode, &options);
  PopMode();
  EXPECT_EQ(CurrentMode(), &options);
  EXPECT_EQ(PreviousMode, &message);
  EXPECT_EQ(options.enterCalls, 2);  // entered again by the pop
  SwitchMode(&main);
  EXPECT_EQ(ModeStackDepth(), 1);
  EXPECT_EQ(PreviousMode, &options);
  EXPECT_EQ(main.enterCalls, 2);
  EXPECT_EQ(message.enterCalls, 1);  // nothing is called on a popped mode
}

// Guards against loading a mode again each time it is entered.
TEST_F(ModeStackTest, BaseEnterLoadsOnlyOnce) {
  struct CountingMode : tmode {
    int loads = 0;
    int shows = 0;
    void Load() override {
      ++loads;
      loaded = true;
    }
    void Show() override { ++shows; }
  } mode;
  SwitchMode(&mode);
  PushMode(&mode);
  PopMode();
  EXPECT_EQ(mode.loads, 1);
  EXPECT_EQ(mode.shows, 3);
}

// Guards against writing past the stack when modes nest without end.
TEST_F(ModeStackTest, PushingBeyondCapacityStaysInsideTheStack) {
  RecordingMode a{"A"}, b{"B"};
  SwitchMode(&a);
  for (int i = 0; i < kModeStackCapacity + 10; ++i) PushMode(i % 2 ? &a : &b);
  EXPECT_EQ(ModeStackDepth(), kModeStackCapacity);
  EXPECT_EQ(CurrentMode(), (kModeStackCapacity + 9) % 2 ? &a : &b);
}

// Guards against a quit that leaves an error report or does not end.
TEST_F(ModeStackTest, PoppingTheLastModeQuitsWithoutReport) {
  RecordingMode main{"Main"};
  SwitchMode(&main);
  std::remove("Error.rep");
  testing_support::ProgramStop quit = StopOf(PopMode);
  EXPECT_EQ(quit.kind, StopKind::kFatalExit) << "popping the last mode must quit";
  EXPECT_STREQ(quit.what(), "");
  EXPECT_FALSE(std::ifstream("Error.rep").good());
}

// Guards against an "Error.rep" that is not exactly the message as one
// CR LF-ended line, or that is written for the empty message.
TEST_F(ModeStackTest, FatalExitWritesExactlyOneLine) {
  EXPECT_EQ(StopOf([] { FatalExit("Islands information absent"); }).kind, StopKind::kFatalExit);
  std::ifstream in("Error.rep", std::ios::binary);
  std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(contents, "Islands information absent\r\n");
  // A second fatal exit replaces the report rather than appending to it.
  EXPECT_EQ(StopOf([] { FatalExit("2"); }).kind, StopKind::kFatalExit);
  std::ifstream again("Error.rep", std::ios::binary);
  std::string replaced((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_EQ(replaced, "2\r\n");
  std::remove("Error.rep");
}

}  // namespace
