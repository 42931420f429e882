// The game's sound heard: the real start-up against the real mixer library,
// played through SDL's disk audio driver, which writes what the device plays
// to a file; the test measures that file. The driver plays in real time, so
// the capture lasts as long as the duck it listens to (about 12 seconds).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "game/options_file.h"
#include "game/rules.h"
#include "shell/game_sound.h"
#include "sound/sound.h"
#include "sound/sound_host.h"
#include "support/run_command.h"
#include "support/scratch_folder.h"
#include "tests/sound/capture.h"

namespace {

using namespace sound_testing;

constexpr char kCaptureFile[] = "capture.raw";

// The system's clock and waits, but the test's folder stays current: the
// bank and the music are made there.
class StayInFolder final : public SystemSoundHost {
 public:
  bool EnterProgramDirectory() override { return true; }
};

void Wait(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// Waits, then gives the frames the device has played by then (the driver
// writes each buffer as it plays it).
size_t WaitAndMark(double seconds) {
  Wait(seconds);
  std::error_code error;
  const auto bytes = std::filesystem::file_size(kCaptureFile, error);
  return error ? 0 : static_cast<size_t>(bytes / kCaptureFrameBytes);
}

// ThreadSanitizer starts a background thread of its own at a moment of its
// choosing, so the thread count says nothing about ours there.
#if defined(__SANITIZE_THREAD__)
constexpr bool kToolStartsThreads = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr bool kToolStartsThreads = true;
#else
constexpr bool kToolStartsThreads = false;
#endif
#else
constexpr bool kToolStartsThreads = false;
#endif

size_t ThreadCount() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++count;
  return count;
}

class SoundCaptureTest : public ::testing::Test {
 protected:
  SoundCaptureTest() {
    const std::string sfx = std::string(TERVANE_SFX_TOOL) + " sounds.dat 2>&1";
    const std::string music = std::string(TERVANE_MUSIC_TOOL) + " music.xm 2>&1";
    made = testing_support::RunCommand(sfx).status == 0 && testing_support::RunCommand(music).status == 0;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder.Path() / kCaptureFile).c_str(), 1);
    SetSoundHost(&host);
    GameOptions = TGameOptions{1, 1, 1, 1};
  }
  ~SoundCaptureTest() override {
    SetSoundHost(nullptr);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
  }

  testing_support::ScratchFolder folder;
  StayInFolder host;
  bool made = false;
};

TEST_F(SoundCaptureTest, MusicDucksUnderTheBigEffectsAndEffectsPlayWithoutIt) {
  // Guards against a start-up that plays nothing (no device, no music, no
  // bank), a duck that never reaches the mixer or never ends, effects that
  // drown in the music or never sound, music that plays on when it is off,
  // and a shutdown that leaves a thread running.
  ASSERT_TRUE(made) << "the sound tools could not make the bank and the music";
  const size_t threadsBefore = ThreadCount();
  // Every window is marked where the device stood when the test's clock
  // (the sound thread's clock) reached it: a device that falls behind real
  // time on a busy machine shortens the windows but does not move them.
  InitSound();
  StartMusic();
  const size_t music = WaitAndMark(1.0);
  const size_t click = WaitAndMark(1.0);
  PlaySoundEvent(kSoundOpenedDigit);
  const size_t failed = WaitAndMark(1.0);
  PlaySoundEvent(kSoundFailed);
  const size_t oneSecond = WaitAndMark(1.0);
  const size_t oneSecondEnd = WaitAndMark(0.25);
  // The failure's effect lasts 1.6 s, its duck 6 s, the way back 0.75 s.
  const size_t ducked = WaitAndMark(0.75);
  const size_t duckedEnd = WaitAndMark(3.5);
  const size_t back = WaitAndMark(1.7);
  const size_t musicOff = WaitAndMark(0.8);
  GameOptions.musicOn = 0;
  StopMusic();
  StartMusic();
  const size_t silent = WaitAndMark(0.4);
  const size_t opened = WaitAndMark(0.2);
  PlaySoundEvent(kSoundOpenedDigit);
  Wait(0.6);
  const auto shutdownStart = std::chrono::steady_clock::now();
  StopMusic();
  ShutdownSound();
  const double shutdownMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - shutdownStart).count();
  if (!kToolStartsThreads) {
    EXPECT_EQ(ThreadCount(), threadsBefore);
  }
  EXPECT_FALSE(SoundThreadRunning());

  const Capture capture = ReadCapture(kCaptureFile);
  ASSERT_GT(capture.FrameCount(), opened + Frames(0.4));
  const size_t openedSound = capture.FirstSound(opened);
  const double latencyMs = (double(openedSound) - double(opened)) * 1000 / kCaptureRate;
  const double musicLevel = capture.Level(music, click);
  const double clickLevel = capture.LoudestWindow(click, failed, 0.02);
  // The music alone around the failure's duck.
  const double beforeDuck = capture.Level(music, failed, Part::kDifference);
  const double afterOneSecond = capture.Level(oneSecond, oneSecondEnd, Part::kDifference);
  const double duckedLevel = capture.Level(ducked, duckedEnd, Part::kDifference);
  const double backLevel = capture.Level(back, musicOff, Part::kDifference);
  std::printf("capture: %zu frames; music %.1f dBFS, the loudest 20 ms of a cell's click %.1f; music alone "
              "before the duck %.1f, 1 s after the failure %.1f, ducked %.1f, back %.1f; "
              "event to its first sample %.0f ms; shutdown %.1f ms\n",
              capture.FrameCount(), musicLevel, clickLevel, beforeDuck, afterOneSecond, duckedLevel, backLevel, latencyMs,
              shutdownMs);

  EXPECT_GT(musicLevel, -40.0);
  EXPECT_GT(clickLevel, musicLevel + 6.0);
  EXPECT_LT(afterOneSecond, beforeDuck - 10.0);
  EXPECT_LT(duckedLevel, beforeDuck - 10.0);
  EXPECT_GT(backLevel, duckedLevel + 8.0);
  // With the music off only the effect sounds: silence before it, and the
  // effect within a second of its event.
  EXPECT_GE(capture.FirstSound(silent), opened);
  EXPECT_LT(openedSound, opened + Frames(1.0));
  EXPECT_GT(capture.Level(openedSound, openedSound + Frames(0.08)), -30.0);
}

}  // namespace
