// Exported sample slots and FX channels.
#include <cstring>

#include "api_fixture.h"

namespace {

using ApiSamples = ApiTest;

// Guards against more FX channels than the mixer has, and against a start
// overwriting a voice that still sounds.
TEST_F(ApiSamples, FxChannelsAreLimitedAndBusyChannelsAreKept) {
  ASSERT_TRUE(QueltInit(1, 4, 40));
  EXPECT_EQ(library().mixer.fxChannelCount, 32);
  ASSERT_TRUE(QueltInit(1, 4, 3));
  const int sample = MakeSample(100000);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(QueltPlaySample(sample, 64, 128, 0), i);
    RunTick();
    EXPECT_TRUE(fx(i).active);
  }
  EXPECT_EQ(QueltPlaySample(sample, 64, 128, 0), -1);
  QueltStopChannel(1);
  EXPECT_EQ(QueltPlaySample(sample, 64, 128, 0), 1);
}

// Guards against two starts within one tick taking two channels: a pending
// start is not yet active, so the second replaces the first.
TEST_F(ApiSamples, TwoStartsBeforeATickShareOneChannel) {
  const int first = MakeSample(1000, 10);
  const int second = MakeSample(2000, 20);
  EXPECT_EQ(QueltPlaySample(first, 30, 0, 11025), 0);
  EXPECT_EQ(QueltPlaySample(second, 50, 255, 0), 0);
  RunTick();
  EXPECT_TRUE(fx(0).active);
  EXPECT_FALSE(fx(1).active);
  EXPECT_EQ(fx(0).length, 2000u);
  EXPECT_EQ(fx(0).volume, 50);
  EXPECT_EQ(fx(0).panning, 255);
  EXPECT_EQ(fx(0).frequency, 22050u);  // 0 plays at the sample's own rate
  EXPECT_EQ(fx(0).position, static_cast<uint32_t>(fx(0).step));  // from the start, one frame on
}

// Guards against bad indices and empty slots reaching the channels.
TEST_F(ApiSamples, PlayingRefusesBadSamples) {
  EXPECT_EQ(QueltPlaySample(-1, 64, 128, 0), -1);
  EXPECT_EQ(QueltPlaySample(8, 64, 128, 0), -1);
  EXPECT_EQ(QueltPlaySample(0, 64, 128, 0), -1);  // free slot
  EXPECT_FALSE(fx(0).startRequest);
}

// Guards against a created sample without room for its guard samples or
// with stale flags, and against slots being handed out twice.
TEST_F(ApiSamples, CreateSampleHandsOutZeroedBuffersInFreeSlots) {
  unsigned char* data = nullptr;
  EXPECT_EQ(QueltCreateSample(&data, 0, 8000, false), -1);
  ASSERT_EQ(QueltCreateSample(&data, 10, 8000, true), 0);
  const SampleSlot& slot = library().samples[0];
  EXPECT_EQ(slot.length, 10u);
  EXPECT_TRUE(slot.flags & SampleFlag::SixteenBit);
  EXPECT_FALSE(slot.flags & SampleFlag::Loop);
  EXPECT_EQ(slot.tuning, 8000u);
  EXPECT_EQ(slot.Data16()[10], 0);
  EXPECT_EQ(slot.Data16()[11], 0);
  std::memset(data, 0x11, 20);  // the whole buffer is the caller's to fill
  EXPECT_EQ(QueltCreateSample(&data, 10, 8000, false), 1);
  for (int i = 2; i < 8; ++i) EXPECT_EQ(MakeSample(5), i);
  EXPECT_EQ(MakeSample(5), -1);
  EXPECT_TRUE(QueltUnloadSample(3));
  EXPECT_EQ(MakeSample(5), 3);
  EXPECT_FALSE(QueltUnloadSample(8));
  EXPECT_FALSE(QueltUnloadSample(-1));
}

// Guards against freeing a sample under a voice that still plays it.
TEST_F(ApiSamples, UnloadingASampleSilencesItsChannels) {
  const int sample = MakeSample(50000);
  ASSERT_EQ(QueltPlaySample(sample, 64, 128, 0), 0);
  RunTick();
  ASSERT_TRUE(fx(0).active);
  EXPECT_TRUE(QueltUnloadSample(sample));
  EXPECT_FALSE(fx(0).active);
  MixBytes(8192);
}

// Guards against the loop rules: ordered points, points pulled inside the
// sample, equal points refused, and only the loop and ping-pong flags taken.
TEST_F(ApiSamples, SampleLoopRules) {
  const int sample = MakeSample(1000);
  EXPECT_TRUE(QueltSetSampleLoop(sample, 500, 100, 0xFF));
  const SampleSlot& slot = library().samples[sample];
  EXPECT_EQ(slot.loopStart, 100u);
  EXPECT_EQ(slot.loopEnd, 500u);
  EXPECT_EQ(slot.flags & ~SampleFlag::C2Rate, SampleFlag::Loop | SampleFlag::PingPong);
  EXPECT_FALSE(QueltSetSampleLoop(sample, 7, 7, 1));
  EXPECT_EQ(slot.loopStart, 100u);
  EXPECT_TRUE(QueltSetSampleLoop(sample, -20, 5000, 1));
  EXPECT_EQ(slot.loopStart, 0u);
  EXPECT_EQ(slot.loopEnd, 999u);
  EXPECT_EQ(slot.flags & (SampleFlag::Loop | SampleFlag::PingPong), SampleFlag::Loop);
  EXPECT_FALSE(QueltSetSampleLoop(sample, 2000, 3000, 1));  // both pulled to 999
  EXPECT_FALSE(QueltSetSampleLoop(5, 0, 10, 1));           // no data
  EXPECT_FALSE(QueltSetSampleLoop(99, 0, 10, 1));
}

// Guards against channel control reaching channels it must not: stop with
// out-of-range numbers, mode changes on inactive or uncounted channels.
TEST_F(ApiSamples, ChannelControlChecksItsChannel) {
  const int sample = MakeSample(50000);
  ASSERT_EQ(QueltPlaySample(sample, 64, 128, 0), 0);
  EXPECT_FALSE(QueltSetChannelMode(0, 10, 10, 0));  // not active before the tick
  RunTick();
  EXPECT_TRUE(QueltSetChannelMode(0, 200, 10, 0));
  EXPECT_EQ(fx(0).volume, 64);  // volumes stay within 0-64
  EXPECT_EQ(fx(0).panning, 10);
  EXPECT_EQ(fx(0).frequency, 22050u);
  EXPECT_TRUE(QueltSetChannelMode(0, 20, 10, 11025));
  EXPECT_EQ(fx(0).frequency, 11025u);
  EXPECT_FALSE(QueltSetChannelMode(3, 20, 10, 0));
  EXPECT_FALSE(QueltSetChannelMode(-1, 20, 10, 0));
  QueltStopChannel(32);
  QueltStopChannel(-1);
  EXPECT_TRUE(fx(0).active);
  QueltStopChannel(0);
  EXPECT_FALSE(fx(0).active);
  ASSERT_EQ(QueltPlaySample(sample, 64, 128, 0), 0);
  QueltStopChannel(0);  // a pending start is cancelled too
  RunTick();
  EXPECT_FALSE(fx(0).active);
}

// Guards against stop-all leaving voices or a changed channel count behind.
TEST_F(ApiSamples, StopAllSamplesResetsEveryFxChannel) {
  const int sample = MakeSample(50000);
  QueltPlaySample(sample, 64, 128, 0);
  RunTick();
  QueltPlaySample(sample, 64, 128, 0);
  library().mixer.fxChannelCount = 1;
  EXPECT_TRUE(QueltStopAllSamples());
  EXPECT_EQ(library().mixer.fxChannelCount, 3);
  for (int i = 0; i < 32; ++i) {
    EXPECT_FALSE(fx(i).active);
    EXPECT_FALSE(fx(i).startRequest);
  }
}

}  // namespace
