// The sound side's start-up, events, music control and shutdown, as the
// mixer sees them.
#include <gtest/gtest.h>

#include "game/options_file.h"
#include "game/rules.h"
#include "platform/files.h"
#include "platform/window.h"
#include "shell/game_sound.h"
#include "support/program_stops.h"
#include "support/scratch_folder.h"
#include "support/test_display.h"
#include "tests/sound/bank_builder.h"
#include "tests/sound/recording_sound.h"

namespace {

using namespace sound_testing;
using Calls = std::vector<std::string>;

class SoundEventsTest : public ::testing::Test {
 protected:
  SoundEventsTest() {
    GameOptions = TGameOptions{1, 1, 1, 1};
    WriteSoundFiles(folder);
  }
  Calls CallsOf(void (*call)()) {
    sound.ClearCalls();
    call();
    return sound.Calls();
  }
  Calls EventCalls(std::initializer_list<int> events) {
    sound.ClearCalls();
    for (int event : events) PlaySoundEvent(event);
    return sound.Calls();
  }

  testing_support::ScratchFolder folder;
  RecordingSound sound;
};

TEST_F(SoundEventsTest, StartUpAndShutdownRunInTheirOrder) {
  // Guards against a mixer set up in another order or with other values, an
  // output not owned by the game's window, samples loaded before the music
  // or the mixer, and a shutdown that lets the thread run on into a mixer
  // that is gone (or leaves it running at all).
  testing_support::OpenTestDisplay();
  ASSERT_NE(platform::MainWindow(), nullptr);
  InitSound();
  Calls expected = {"EnterProgramDirectory", "QueltInit(1, 20, 3)", "SetDSCooperativeLevel(0)",
                    "QueltSetBlockSize(350)", "QueltStartMixer", "QueltLoadModule(music.xm, 0)"};
  expected.insert(expected.end(), kBankSampleCount, "QueltCreateSample(32, 22050, 16)");
  EXPECT_EQ(sound.Calls(), expected);
  EXPECT_EQ(sound.startWindow, reinterpret_cast<HWND>(platform::MainWindow()));
  EXPECT_TRUE(SoundThreadRunning());

  sound.RunTicks(3);
  EXPECT_EQ(CallsOf(StopMusic), Calls{"QueltStopModule"});
  EXPECT_EQ(CallsOf(ShutdownSound),
            (Calls{"QueltUnloadModule(0)", "QueltStopAllSamples", "QueltStopMixer", "QueltUninit"}));
  EXPECT_FALSE(sound.threadRanAtUninit);
  EXPECT_FALSE(SoundThreadRunning());

  // A program directory that cannot be entered is the run-time's error.
  sound.directoryEntered = false;
  const testing_support::ProgramStop stop = testing_support::StopOf(InitSound);
  EXPECT_EQ(stop.kind, testing_support::StopKind::kRuntimeError);
  EXPECT_EQ(stop.code, platform::kPathNotFound);
}

TEST_F(SoundEventsTest, EachEventPlaysItsSampleAtItsVolume) {
  // Guards against an event bound to another sample of the bank or played
  // at another volume, panning or rate, and against the shell's own event
  // numbers (end of the splash, the quit) or unknown numbers playing
  // anything. Bank entry k is mixer sample 9 + k here.
  InitSound();
  EXPECT_EQ(EventCalls({kSoundNewMap, kSoundOpenedDigit, kSoundOpenedEmpty, kSoundMarked, kSoundUnmarked,
                        kSoundPenalty, kSoundButtonPressed, kSoundFinished, kSoundRecord, kSoundFirstPlace,
                        kSoundFailed, kSoundSplashDone, kSoundQuit, 0, -1, 61, 1000}),
            (Calls{
                "QueltPlaySample(16, 64, 128, 0)",  // a new map: entry 7
                "QueltPlaySample(10, 64, 128, 0)",  // cells opened: entry 1
                "QueltPlaySample(10, 64, 128, 0)",
                "QueltPlaySample(17, 20, 128, 0)",  // marks: entry 8, quietly
                "QueltPlaySample(17, 20, 128, 0)",
                "QueltPlaySample(10, 64, 128, 0)",  // a radiated area costing time: entry 1
                "QueltPlaySample(11, 64, 128, 0)",  // a button: entry 2
                "QueltPlaySample(15, 64, 128, 0)",  // finished: entry 6
                "QueltPlaySample(14, 64, 128, 0)",  // records: entry 5
                "QueltPlaySample(14, 64, 128, 0)",
                "QueltPlaySample(12, 64, 128, 0)",  // failed: entry 3
            }));
}

TEST_F(SoundEventsTest, TheOptionsSwitchEffectsAndMusic) {
  // Guards against effects or ducks with effects off, music started while
  // it is off, a stop that depends on the option, and a missing music file
  // that stops the game or goes unmentioned.
  InitSound();
  sound.Record(20);
  GameOptions.soundOn = 0;
  EXPECT_EQ(EventCalls({kSoundFailed, kSoundOpenedDigit, kSoundRecord}), Calls{});
  EXPECT_EQ(DescribeCurve(101, sound.Record(30).music), "held 30");

  GameOptions.musicOn = 0;
  EXPECT_EQ(CallsOf(StartMusic), Calls{});
  EXPECT_EQ(CallsOf(StopMusic), Calls{"QueltStopModule"});
  GameOptions.musicOn = 1;
  EXPECT_EQ(CallsOf(StartMusic), Calls{"QueltPlayModule(0, loop)"});
  ShutdownSound();

  std::filesystem::remove("music.xm");
  testing::internal::CaptureStderr();
  InitSound();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Tervane: music.xm cannot be played; the game plays on without music\n");
  EXPECT_EQ(CallsOf(StartMusic), Calls{"QueltPlayModule(-1, loop)"});
  GameOptions.soundOn = 1;
  EXPECT_EQ(EventCalls({kSoundOpenedDigit}), Calls{"QueltPlaySample(10, 64, 128, 0)"});
}

}  // namespace
