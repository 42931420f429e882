#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "recording_mode.h"
#include "support/test_display.h"

using platform::MakeMouseLParam;
using platform::PostTestMessage;

namespace {

class InputQueueTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::OpenTestDisplay(); }

  // Runs main-loop steps until the queue and the message queue are empty.
  void Drain() {
    for (int i = 0; i < 5000 && (InputQueue.count > 0 || HasMessage()); ++i) MainLoopStep();
  }
  static bool HasMessage() {
    platform::WindowMessage message;
    return platform::PeekWindowMessage(message, false);
  }

  RecordingMode mode{"Test"};
};

// Guards against events delivered out of order or more than once.
TEST_F(InputQueueTest, DeliversEventsInArrivalOrder) {
  SwitchMode(&mode);
  mode.calls.clear();
  PostTestMessage(platform::WM_KEYDOWN, 65, 0);
  PostTestMessage(platform::WM_LBUTTONDOWN, 1, MakeMouseLParam(10, 20));
  PostTestMessage(platform::WM_LBUTTONUP, 0, MakeMouseLParam(11, 21));
  PostTestMessage(platform::WM_RBUTTONDOWN, 2, MakeMouseLParam(12, 22));
  PostTestMessage(platform::WM_RBUTTONUP, 0, MakeMouseLParam(13, 23));
  Drain();
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"key 65", "down 1 10,20", "up 1 11,21", "down 2 12,22",
                                                  "up 2 13,23"}));
}

// Guards against writing past the fixed queue when input floods in.
TEST_F(InputQueueTest, FullQueueDropsNewEventsWithoutOverflow) {
  for (int i = 0; i < kInputQueueCapacity; ++i) EXPECT_TRUE(QueueInputEvent(platform::WM_KEYDOWN, i, 0));
  EXPECT_FALSE(QueueInputEvent(platform::WM_KEYDOWN, 9999, 0));
  EXPECT_EQ(InputQueue.count, kInputQueueCapacity);
  EXPECT_EQ(InputQueue.entries[kInputQueueCapacity - 1].WParam, kInputQueueCapacity - 1);
  SwitchMode(&mode);
  mode.calls.clear();
  Drain();
  ASSERT_EQ(mode.calls.size(), static_cast<size_t>(kInputQueueCapacity));
  EXPECT_EQ(mode.calls.front(), "key 0");
  EXPECT_EQ(mode.calls.back(), "key 1023");
}

// Guards against a left release reaching a mode that never saw the press
// (the press may have switched screens), and against dropping right releases.
TEST_F(InputQueueTest, LeftReleaseWithoutPressIsDroppedRightReleaseIsNot) {
  SwitchMode(&mode);
  mode.calls.clear();
  PostTestMessage(platform::WM_LBUTTONUP, 0, MakeMouseLParam(5, 5));
  PostTestMessage(platform::WM_RBUTTONUP, 0, MakeMouseLParam(6, 6));
  Drain();
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"up 2 6,6"}));
  EXPECT_FALSE(LeftButtonHeld);

  // A press that switches modes: its release is not delivered to the new one.
  RecordingMode other{"Other"};
  mode.onEvent = [&] { SwitchMode(&other); };
  PostTestMessage(platform::WM_LBUTTONDOWN, 1, MakeMouseLParam(1, 1));
  PostTestMessage(platform::WM_LBUTTONUP, 0, MakeMouseLParam(1, 1));
  Drain();
  mode.onEvent = nullptr;
  EXPECT_EQ(other.calls, (std::vector<std::string>{"enter Other"}));

  // A press in the new mode makes its release count again.
  PostTestMessage(platform::WM_LBUTTONDOWN, 1, MakeMouseLParam(2, 2));
  PostTestMessage(platform::WM_LBUTTONUP, 0, MakeMouseLParam(3, 3));
  Drain();
  EXPECT_EQ(other.calls, (std::vector<std::string>{"enter Other", "down 1 2,2", "up 1 3,3"}));
}

// Guards against mouse moves delivering stale positions or being merged.
TEST_F(InputQueueTest, EveryMoveDeliversTheNewestPosition) {
  SwitchMode(&mode);
  DispatchEnabled = false;  // the moves pile up while a handler runs
  PostTestMessage(platform::WM_MOUSEMOVE, 0, MakeMouseLParam(100, 200));
  PostTestMessage(platform::WM_MOUSEMOVE, 0, MakeMouseLParam(300, 400));
  PostTestMessage(platform::WM_MOUSEMOVE, 0, MakeMouseLParam(500, 550));
  MainLoopStep();
  EXPECT_EQ(InputQueue.count, 3);
  DispatchEnabled = true;
  mode.calls.clear();
  Drain();
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"move 500,550", "move 500,550", "move 500,550"}));
  EXPECT_EQ(MouseX, 500);
  EXPECT_EQ(MouseY, 550);
}

// Guards against nested main-loop steps delivering input to a busy handler,
// losing it, or duplicating it.
TEST_F(InputQueueTest, InputDuringNestedStepIsDeliveredAfterwardsOnce) {
  SwitchMode(&mode);
  mode.calls.clear();
  bool nested = false;
  mode.onEvent = [&] {
    if (nested) return;
    nested = true;
    PostTestMessage(platform::WM_KEYDOWN, 66, 0);
    PostTestMessage(platform::WM_KEYDOWN, 67, 0);
    for (int i = 0; i < 10; ++i) MainLoopStep();  // long work keeps the window serviced
    mode.Record("handler done");
  };
  PostTestMessage(platform::WM_KEYDOWN, 65, 0);
  Drain();
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"key 65", "handler done", "key 66", "key 67"}));
}

// Guards against idle calls reaching a mode while the window is inactive,
// and against a missing full redraw after the surfaces come back.
TEST_F(InputQueueTest, ReactivationRestoresSurfacesAndRedrawsOnce) {
  SwitchMode(&mode);
  MainLoopStep();
  int idleBefore = mode.idleCalls;
  mode.calls.clear();
  PostTestMessage(platform::WM_ACTIVATE, platform::WA_INACTIVE, 0);
  PostTestMessage(platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
  MainLoopStep();
  EXPECT_EQ(mode.idleCalls, idleBefore);
  EXPECT_EQ(SurfacesLost, 0);
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"redraw full"}));
}

// Guards against a redraw attempted while input delivery is held off: it
// must wait for the next idle pass.
TEST_F(InputQueueTest, RedrawImpossibleNowHappensAtNextIdlePass) {
  SwitchMode(&mode);
  mode.calls.clear();
  DispatchEnabled = false;
  SurfacesLost = 1;
  PrimarySurface->MarkLost();
  RestoreLostSurfaces();
  EXPECT_FALSE(PrimarySurface->IsLost());
  EXPECT_TRUE(RedrawRequested);
  EXPECT_TRUE(mode.calls.empty());
  DispatchEnabled = true;
  MainLoopStep();
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"redraw full"}));
  EXPECT_FALSE(RedrawRequested);
}

// Guards against giving up on a surface that cannot be restored yet (the
// flag must stay set for a later pass) and against more than five tries.
TEST_F(InputQueueTest, UnrestorableSurfaceKeepsTheFlagForALaterPass) {
  SwitchMode(&mode);
  mode.calls.clear();
  SurfacesLost = 1;
  PrimarySurface->MarkLost();
  platform::InjectRestoreFailures(6);
  RestoreLostSurfaces();
  EXPECT_EQ(SurfacesLost, 1);
  EXPECT_TRUE(PrimarySurface->IsLost());
  EXPECT_TRUE(mode.calls.empty());
  // Five attempts were used: one injected failure is left for the next pass,
  // whose second attempt succeeds.
  RestoreLostSurfaces();
  EXPECT_EQ(SurfacesLost, 0);
  EXPECT_FALSE(PrimarySurface->IsLost());
  EXPECT_EQ(mode.calls, (std::vector<std::string>{"redraw full"}));
}

// Guards against the loop holding a whole core: an idle frame that drew
// nothing waits for input or the next 60 Hz frame (a step that wakes just
// before a frame is due waits again until it is, so twenty such steps span at
// least ten frames), while idle frames that draw are not held back.
TEST_F(InputQueueTest, IdleFramesThatDrawNothingWaitForTheNextFrame) {
  auto twentySteps = [] {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) MainLoopStep();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
  SwitchMode(&mode);
  Drain();
  mode.idleCalls = 0;
  auto waiting = twentySteps();
  EXPECT_EQ(mode.idleCalls, 20);
  EXPECT_GE(waiting, 10 * 1000 / 60);

  class DrawingMode final : public RecordingMode {
    void Idle() override { FlipScreen(); }
  } drawing;
  SwitchMode(&drawing);
  Drain();
  EXPECT_LT(twentySteps(), waiting / 2);
}

}  // namespace
