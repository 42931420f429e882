// The splash screen: what it loads and in which order, the input it drops,
// the blinking prompt and the ways out of it. It runs over the build's
// program directory (its three pictures) with screens that record their loads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/options_file.h"
#include "platform/clock.h"
#include "recording_mode.h"
#include "shell/game_sound.h"
#include "shell/init_mode.h"
#include "shell/screen_modes.h"
#include "support/program_directory.h"
#include "support/test_display.h"

namespace {

uint32_t g_ticks = 0;
bool g_ticksStep = true;  // every reading moves the clock on by 1 ms
uint32_t TestTicks() { return g_ticksStep ? g_ticks++ : g_ticks; }

std::vector<std::string> g_calls;  // loads and sound calls, in order

// A screen whose loading takes 300 ms of the test clock.
class SlowScreen : public RecordingMode {
 public:
  explicit SlowScreen(const std::string& name) : RecordingMode(name) { loaded = false; }
  void Load() override {
    RecordingMode::Load();
    g_calls.push_back("load " + ModeName);
    g_ticks += 300;
    if (onLoad) onLoad();
  }
  std::function<void()> onLoad;
};

class SoundRecorder final : public GameSound {
 public:
  void InitSound() override { g_calls.push_back("init sound"); }
  void PlaySoundEvent(int event) override { g_calls.push_back("sound " + std::to_string(event)); }
  void StartMusic() override { g_calls.push_back("start music"); }
  void StopMusic() override {}
  void ShutdownSound() override {}
};

class SplashTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::OpenTestDisplay();
    // As the start-up leaves things when display set-up switches to the splash.
    StartupComplete = false;
    DispatchEnabled = false;
    g_calls.clear();
    g_ticks = 1000000;
    g_ticksStep = true;
    platform::SetTickSource(TestTicks);
    DisplayStartTime = g_ticks;
    GameSoundOutput = &sound_;
    GameScreenModes = ScreenModes{&message_, &newRecord_, &finish_, &help_,   &options_,
                                  &failure_, &scores_,    &select_, &main_};
  }
  void TearDown() override {
    platform::SetTickSource(nullptr);
    GameSoundOutput = nullptr;
    GameScreenModes = ScreenModes{};
    ResetModeStack();
  }

  // The splash as the start-up runs it: switched to, then input delivered.
  void RunSplash() {
    SwitchMode(&InitMode);
    StartupComplete = true;
    DispatchEnabled = true;
  }

  // Every pixel the picture does not leave transparent is on the screen
  // where the splash shows its pictures.
  static bool Showing(const SurfaceRef& picture) {
    for (int y = 0; y < picture->Height(); ++y) {
      for (int x = 0; x < picture->Width(); ++x) {
        uint16_t pixel = picture->PixelAt(x, y);
        if (pixel != 0 && PrimarySurface->PixelAt(260 + x, 540 + y) != pixel) return false;
      }
    }
    return true;
  }

  static bool SamePicture(const Surface& a, const Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y) {
      for (int x = 0; x < a.Width(); ++x) {
        if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
      }
    }
    return true;
  }

  void Steps(int count) {
    for (int i = 0; i < count; ++i) MainLoopStep();
  }

  testing_support::InProgramDirectory directory_;
  SoundRecorder sound_;
  SlowScreen message_{"Message"}, newRecord_{"NewRecord"}, finish_{"Finish"}, help_{"Help"}, options_{"Options"},
      failure_{"Fail"}, scores_{"Scores"}, select_{"SelectMap"}, main_{"Main"};
};

// Guards the loading sequence: the sound and the options come first, screens
// are preloaded only while 700 ms have not passed since the display was set
// (tested before each one), the rest load after the loading picture shows,
// in their own order, and no screen is loaded twice.
TEST_F(SplashTest, PreloadsWhileTimeAllowsThenLoadsTheRestOnce) {
  GameOptions.mapType = 0;  // no map type: the options must be read
  RunSplash();

  EXPECT_EQ(g_calls, (std::vector<std::string>{"init sound", "load Message", "load NewRecord", "load Finish",
                                               "sound 20", "start music", "load Main", "load SelectMap",
                                               "load Scores", "load Help", "load Options", "load Fail"}));
  for (SlowScreen* screen : {&message_, &newRecord_, &finish_, &help_, &options_, &failure_, &scores_, &select_,
                             &main_}) {
    EXPECT_EQ(screen->loadCalls, 1) << screen->ModeName;
  }
  EXPECT_GE(GameOptions.mapType, 1) << "the options were not read";
  EXPECT_EQ(CurrentMode(), &InitMode);
  EXPECT_EQ(ModeStackDepth(), 1);
  EXPECT_TRUE(Showing(InitMode.loadingImage)) << "the loading picture is not on the screen";
  EXPECT_TRUE(CursorVisible);
  EXPECT_EQ(CursorIndex, 1);
}

// Guards against input made while the game loads skipping the prompt: a key
// already queued, and keys and clicks still waiting as window messages, are
// all dropped; the first key after loading leaves for the main screen.
TEST_F(SplashTest, InputDuringLoadingIsDroppedAndDoesNotSkipThePrompt) {
  scores_.onLoad = [] {
    QueueInputEvent(platform::WM_KEYDOWN, 'A', 0);
    platform::PostTestMessage(platform::WM_KEYDOWN, platform::VK_RETURN, 0);
    platform::PostTestMessage(platform::WM_RBUTTONUP, 0, 0);
  };
  RunSplash();
  Steps(5);
  EXPECT_EQ(CurrentMode(), &InitMode);
  EXPECT_TRUE(main_.calls.empty());

  platform::PostTestMessage(platform::WM_KEYDOWN, platform::VK_SPACE, 0);
  Steps(2);
  EXPECT_EQ(CurrentMode(), &main_);
  EXPECT_EQ(main_.enterCalls, 1);
  EXPECT_EQ(ModeStackDepth(), 1);
}

// Guards the blinking prompt: the second prompt picture for the first 750 ms
// after loading, then the first, then the second again (a 1.5 s period); an
// idle pass that would show the same picture again draws nothing.
TEST_F(SplashTest, PromptBlinksEvery750Milliseconds) {
  RunSplash();
  g_ticksStep = false;
  ASSERT_FALSE(SamePicture(*InitMode.firstPromptImage, *InitMode.secondPromptImage));

  struct Phase {
    uint32_t after;
    const SurfaceRef& picture;
    const SurfaceRef& other;
  };
  for (const Phase& phase : {Phase{0, InitMode.secondPromptImage, InitMode.firstPromptImage},
                             Phase{749, InitMode.secondPromptImage, InitMode.firstPromptImage},
                             Phase{750, InitMode.firstPromptImage, InitMode.secondPromptImage},
                             Phase{1499, InitMode.firstPromptImage, InitMode.secondPromptImage},
                             Phase{1500, InitMode.secondPromptImage, InitMode.firstPromptImage}}) {
    g_ticks = InitMode.blinkStart + phase.after;
    MainLoopStep();
    EXPECT_TRUE(Showing(phase.picture)) << phase.after << " ms after loading";
    EXPECT_FALSE(Showing(phase.other)) << phase.after << " ms after loading";
    uint64_t shown = platform::PresentCount();
    MainLoopStep();
    EXPECT_EQ(platform::PresentCount(), shown) << "the same picture was drawn again";
  }
}

// Guards the way out: a right-button release leaves as a key does; while no
// main screen exists, nothing leaves the splash.
TEST_F(SplashTest, RightReleaseLeavesForTheMainScreen) {
  GameScreenModes.main = nullptr;
  RunSplash();
  platform::PostTestMessage(platform::WM_RBUTTONUP, 0, 0);
  platform::PostTestMessage(platform::WM_KEYDOWN, platform::VK_ESCAPE, 0);
  Steps(4);
  EXPECT_EQ(CurrentMode(), &InitMode);

  GameScreenModes.main = &main_;
  platform::PostTestMessage(platform::WM_RBUTTONUP, 0, 0);
  Steps(2);
  EXPECT_EQ(CurrentMode(), &main_);
  EXPECT_EQ(main_.enterCalls, 1);
}

}  // namespace
