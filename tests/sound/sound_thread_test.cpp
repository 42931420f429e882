// The sound thread's ramps and ducks, on a clock the test steps tick by tick.
#include <gtest/gtest.h>

#include "game/options_file.h"
#include "game/rules.h"
#include "support/scratch_folder.h"
#include "tests/sound/bank_builder.h"
#include "tests/sound/recording_sound.h"

namespace {

using namespace sound_testing;

class SoundThreadTest : public ::testing::Test {
 protected:
  SoundThreadTest() {
    GameOptions = TGameOptions{1, 1, 1, 1};
    WriteSoundFiles(folder);
    InitSound();
  }

  testing_support::ScratchFolder folder;
  RecordingSound sound;
};

TEST_F(SoundThreadTest, VolumesRampAndDuckInTheirSteps) {
  // Guards against ramps in other steps or at another pace, a music volume
  // that hunts round its target, volumes sent while they stand still, and
  // ducks that miss their level, end early or late, or do not come back.
  const RecordingSound::Volumes start = sound.Record(130);
  EXPECT_EQ(DescribeCurve(128, start.fx), "+1 x122 to 250, held 8");
  EXPECT_EQ(DescribeCurve(128, start.music), "-3 x9 to 101, held 121");
  EXPECT_EQ(sound.VolumeCalls(), 122 + 9);

  // A failed map: down to within 2 of 25 while the 6 s (200 ticks) last,
  // then back to within 2 of 100.
  PlaySoundEvent(kSoundFailed);
  EXPECT_EQ(DescribeCurve(101, sound.Record(240).music), "-3 x25 to 26, held 175, +3 x24 to 98, held 16");
  // A finished map from there: exactly 50 for 1.2 s (40 ticks), and back.
  PlaySoundEvent(kSoundFinished);
  EXPECT_EQ(DescribeCurve(98, sound.Record(60).music), "-3 x16 to 50, held 24, +3 x16 to 98, held 4");
  // A record: 10 s (334 ticks) low.
  PlaySoundEvent(kSoundFirstPlace);
  EXPECT_EQ(DescribeCurve(98, sound.Record(340).music), "-3 x24 to 26, held 310, +3 x6 to 44");
  EXPECT_EQ(sound.SleepLengths(), std::set<uint32_t>{30});
}

TEST_F(SoundThreadTest, ANewDuckReplacesTheRunningOne) {
  // Guards against ducks that add up, or that keep the first duck's end or
  // level: two finished maps a second apart keep the music low until 1.2 s
  // after the second, and a finish during a failure's duck lifts the music
  // to the finish's level and ends 1.2 s later.
  sound.Record(20);
  PlaySoundEvent(kSoundFinished);
  EXPECT_EQ(DescribeCurve(101, sound.Record(33).music), "-3 x17 to 50, held 16");
  PlaySoundEvent(kSoundFinished);  // 990 to 1020 ms after the first
  EXPECT_EQ(DescribeCurve(50, sound.Record(45).music), "held 40, +3 x5 to 65");

  sound.Record(30);
  PlaySoundEvent(kSoundFailed);
  EXPECT_EQ(DescribeCurve(98, sound.Record(33).music), "-3 x24 to 26, held 9");
  PlaySoundEvent(kSoundFinished);
  EXPECT_EQ(DescribeCurve(26, sound.Record(45).music), "+3 x8 to 50, held 32, +3 x5 to 65");
}

}  // namespace
