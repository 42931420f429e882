// Exported set-up, output control and mixing settings.
#include "output/CplayerDevice.h"
#include "api_fixture.h"

namespace {

using ApiSetup = ApiTest;

// Guards against a wrong version text (the settings dialog's own tests are
// in dialog_export_test.cpp).
TEST_F(ApiSetup, VersionText) { EXPECT_STREQ(QLT_ID, "Quelt v 0.1.1 beta"); }

// Guards against initialisation that keeps old slots or counts, and against
// negative counts allocating anything.
TEST_F(ApiSetup, InitReplacesEverythingAndUninitReleasesIt) {
  unsigned char* data = nullptr;
  ASSERT_EQ(QueltCreateSample(&data, 10, 8000, false), 0);
  ASSERT_TRUE(QueltInit(3, 5, 2));
  EXPECT_EQ(library().moduleSlots, 3);
  EXPECT_EQ(library().sampleSlots, 5);
  EXPECT_EQ(library().samples[0].length, 0u);
  EXPECT_FALSE(QueltUninit());  // the output was not running
  EXPECT_EQ(library().moduleSlots, 0);
  EXPECT_EQ(library().samples, nullptr);
  EXPECT_EQ(QueltCreateSample(&data, 10, 8000, false), -1);
  ASSERT_TRUE(QueltInit(-4, -1, -3));
  EXPECT_EQ(library().moduleSlots, 0);
  EXPECT_EQ(library().mixer.fxChannelCount, 0);
  EXPECT_EQ(QueltLoadModule(const_cast<char*>("nothing.xm"), 0), -1);
}

// Guards against volumes, separation and interpolation not reaching the
// mixer, and against out-of-range interpolation modes.
TEST_F(ApiSetup, MixingControlsAreStored) {
  EXPECT_EQ(QueltGetMusicVolume(), 128);
  EXPECT_EQ(QueltGetFXVolume(), 128);
  QueltSetMusicVolume(101);
  QueltSetFXVolume(250);
  EXPECT_EQ(QueltGetMusicVolume(), 101);
  EXPECT_EQ(QueltGetFXVolume(), 250);
  QueltSetStereoSeparation(0);
  EXPECT_EQ(library().settings.stereoSeparation.load(), 0);
  QueltSetInterpolation(1);
  QueltSetInterpolation(3);
  QueltSetInterpolation(-1);
  EXPECT_EQ(library().settings.interpolation.load(), 1);
  QueltSetMusicVolume(128);
  QueltSetFXVolume(128);
  QueltSetStereoSeparation(255);
  QueltSetInterpolation(2);
}

// Guards against settings made before the start being lost, and against the
// start, restart and stop results.
TEST_F(ApiSetup, OutputStartsWithStoredSettingsAndRestarts) {
  EXPECT_TRUE(SetDSCooperativeLevel(0));
  EXPECT_TRUE(QueltSetBlockSize(350));
  EXPECT_TRUE(QueltSetMode(44100, true, true));
  EXPECT_FALSE(QueltStopMixer());
  ASSERT_TRUE(QueltStartMixer(nullptr));
  EXPECT_TRUE(QueltStartMixer(nullptr));
  EXPECT_EQ(library().output.cooperativeLevel, 0u);
  EXPECT_EQ(library().output.writeChunk.load(), kPrimaryBufferBytes / 2);
  // The length shrank to what half the primary buffer holds (92 ms) and
  // stays so across the restart.
  EXPECT_TRUE(SetDSCooperativeLevel(1));
  EXPECT_EQ(library().output.bufferSize, kSecondaryBufferBytes);
  EXPECT_EQ(library().output.writeChunk.load(), 44100u * 92 * 4 / 1000 / 4 * 4);
  EXPECT_EQ(library().output.bufferMilliseconds.load(), 91);
  EXPECT_TRUE(QueltSetMode(22050, false, true));
  EXPECT_TRUE(library().output.running);
  EXPECT_EQ(library().settings.rate.load(), 22050);
  EXPECT_FALSE(QueltSetMode(0, true, true));
  EXPECT_TRUE(QueltStopMixer());
  EXPECT_FALSE(QueltStopMixer());
  EXPECT_TRUE(QueltSetMode(44100, true, true));
  EXPECT_TRUE(QueltSetBlockSize(50));
}

// Guards against uninit leaving the output thread running.
TEST_F(ApiSetup, UninitStopsARunningOutput) {
  ASSERT_TRUE(QueltStartMixer(nullptr));
  EXPECT_TRUE(QueltUninit());
  EXPECT_FALSE(library().output.running);
  EXPECT_FALSE(library().mixerStarted);
}

// Guards against the loop flag rules of the two play calls: the flag is set
// even when the index is bad, and a one-argument call clears it.
TEST_F(ApiSetup, PlayModuleLoopFlagWithBadIndices) {
  EXPECT_FALSE(QueltPlayModule(7, true));
  EXPECT_TRUE(library().mixer.loopSong);
  EXPECT_FALSE(QueltPlayModule(-1));
  EXPECT_FALSE(library().mixer.loopSong);
  EXPECT_FALSE(QueltPlayModule(0));  // empty slot
  EXPECT_FALSE(QueltUnloadModule(2));
  EXPECT_TRUE(QueltUnloadModule(0));  // an empty slot unloads fine
  EXPECT_TRUE(QueltStopModule());
}

}  // namespace
