// The seams through which the shell reaches the layers above it (the game's
// sound, the screens by role) and tells graphics what it needs from modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "recording_mode.h"
#include "shell/game_sound.h"
#include "shell/screen_modes.h"
#include "support/test_display.h"

namespace {

using testing_support::StopKind;
using testing_support::StopOf;

uint32_t g_ticks = 0;

class RecordingSound : public GameSound {
 public:
  void InitSound() override { calls.push_back("init"); }
  void PlaySoundEvent(int event) override { calls.push_back("event " + std::to_string(event)); }
  void StartMusic() override { calls.push_back("start music"); }
  void StopMusic() override { calls.push_back("stop music"); }
  void ShutdownSound() override { calls.push_back("shutdown"); }
  std::vector<std::string> calls;
};

class ShellSeams : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    GameSoundOutput = &sound;
  }
  void TearDown() override {
    GameSoundOutput = nullptr;
    platform::SetTickSource(nullptr);
  }
  RecordingSound sound;
};

// Guards against a shell that stops reaching the game's sound once it no
// longer knows sound/: the button sound, the quit sound, and the music
// stopped and the sound shut down on every way out.
TEST_F(ShellSeams, ButtonsQuitAndFatalExitReachTheGameSound) {
  struct OneButton : RecordingMode {
    OneButton() : RecordingMode("Main") {
      buttonCount = 1;
      buttons[1].enabled = true;
      buttons[1].Width = buttons[1].Height = 50;
    }
    void MouseDown(int button, int x, int y) override { tmode::MouseDown(button, x, y); }
  } mode;
  SwitchMode(&mode);
  mode.MouseDown(1, 10, 10);
  mode.MouseDown(1, 100, 100);  // beside the button: no sound
  EXPECT_EQ(sound.calls, (std::vector<std::string>{"event 10"}));

  sound.calls.clear();
  EXPECT_EQ(StopOf([] { FatalExit("2"); }).kind, StopKind::kFatalExit);
  EXPECT_EQ(sound.calls, (std::vector<std::string>{"stop music", "shutdown"}));

  sound.calls.clear();
  platform::SetTickSource([] { return g_ticks += 100; });  // the fade to black ends at once
  EXPECT_EQ(StopOf(PopMode).kind, StopKind::kFatalExit);
  EXPECT_EQ(sound.calls, (std::vector<std::string>{"event 21", "stop music", "shutdown"}));
}

// Guards against a splash that loads a mode twice, misses one, or trips over
// a role whose screen does not exist yet.
TEST(ScreenModesByRole, OrdersLeaveOutEmptyRoles) {
  EXPECT_TRUE(ModesInPreloadOrder(ScreenModes{}).empty());
  RecordingMode main{"Main"}, message{"Message"}, scores{"Scores"};
  ScreenModes some;
  some.main = &main;
  some.message = &message;
  some.scores = &scores;
  // The main screen is preloaded last while time allows, but loaded first
  // once the prompt shows.
  EXPECT_EQ(ModesInPreloadOrder(some), (std::vector<tmode*>{&message, &scores, &main}));
  EXPECT_EQ(ModesInLoadOrder(some), (std::vector<tmode*>{&main, &scores, &message}));

  RecordingMode all[9];
  ScreenModes full{&all[0], &all[1], &all[2], &all[3], &all[4], &all[5], &all[6], &all[7], &all[8]};
  std::vector<tmode*> preload = ModesInPreloadOrder(full);
  std::vector<tmode*> load = ModesInLoadOrder(full);
  EXPECT_EQ(preload.size(), 9u);
  EXPECT_TRUE(std::is_permutation(preload.begin(), preload.end(), load.begin(), load.end()));
}

// Guards against a transition that moves the wrong area: a message window
// dropping in over another message must leave the screen around it alone
// until it has landed (Show hands over the new mode's area, not the old).
TEST_F(ShellSeams, ShowHandsTheTransitionTheModesAreas) {
  RecordingMode under{"Message"};
  struct Window : RecordingMode {
    Window() : RecordingMode("Message") {
      X = 250;
      Y = 200;
      Width = 300;
      Height = 200;
    }
    void Enter() override { tmode::Enter(); }
  } window;
  SwitchMode(&under);
  DrawColour = 0x1111;
  ClearSurface(*PrimarySurface);
  DrawColour = 0x2222;
  ClearSurface(*BackgroundBuffer);
  DrawColour = 0;

  // Each pass of the transition reads the clock once: 10 ms later each time,
  // and a look at a pixel outside the window.
  static int changedOutside = 0;
  changedOutside = 0;
  g_ticks = 0;
  platform::SetTickSource([] {
    if (PrimarySurface->PixelAt(100, 100) != 0x1111) ++changedOutside;
    return g_ticks += 10;
  });
  PushMode(&window);
  platform::SetTickSource(nullptr);
  EXPECT_GT(g_ticks, 100u);
  EXPECT_LE(changedOutside, 1) << "only the last pass may show the screen around the window";
  EXPECT_EQ(PrimarySurface->PixelAt(100, 100), 0x2222);
  EXPECT_EQ(PrimarySurface->PixelAt(400, 300), 0x2222);
}

}  // namespace
