// The voice loops: interpolation, loop walking and the end of a voice.
#include <gtest/gtest.h>

#include <vector>

#include "mixer_fixture.h"

namespace {

// Renders frames of one voice with mono factor 1 (accumulator = sample value).
std::vector<int64_t> RenderMono(MixChannel& channel, uint32_t frames, int interpolation) {
  MixSettings settings;
  channel.monoFactor = 1;
  std::vector<int64_t> accumulators(frames, 0);
  MixVoice(settings, channel, accumulators.data(), frames, false, interpolation);
  return accumulators;
}

std::vector<int16_t> Squares16() {
  std::vector<int16_t> values;
  for (int k = 0; k < 8; ++k) values.push_back(static_cast<int16_t>(100 * k * k));
  return Samples16(values);
}

// Guards against a wrong formula in any of the three interpolations: halfway
// between samples of a parabola, none gives the left sample, linear the
// midpoint and quadratic the parabola itself.
TEST(MixerVoice, InterpolationOfAParabolaHalfwayBetweenSamples16Bit) {
  const std::vector<int16_t> data = Squares16();
  for (int mode = 0; mode < 3; ++mode) {
    MixChannel channel;
    SetVoice(channel, data, 0, 2048, 1024);
    const std::vector<int64_t> out = RenderMono(channel, 5, mode);
    for (int k = 0; k < 5; ++k) {
      const int64_t expected[3] = {100 * k * k, 100 * k * k + 100 * k + 50, 100 * k * k + 100 * k + 25};
      EXPECT_EQ(out[k], expected[mode]) << "mode " << mode << " frame " << k;
    }
  }
}

// Same for 8-bit data (x = 4k^2), which goes through its own loops.
TEST(MixerVoice, InterpolationOfAParabolaHalfwayBetweenSamples8Bit) {
  std::vector<int8_t> values;
  for (int k = 0; k < 6; ++k) values.push_back(static_cast<int8_t>(4 * k * k));
  const std::vector<int8_t> data = Samples8(values);
  for (int mode = 0; mode < 3; ++mode) {
    MixChannel channel;
    SetVoice(channel, data, 0, 2048, 1024);
    const std::vector<int64_t> out = RenderMono(channel, 3, mode);
    for (int k = 0; k < 3; ++k) {
      const int64_t expected[3] = {4 * k * k, 4 * k * k + 4 * k + 2, 4 * k * k + 4 * k + 1};
      EXPECT_EQ(out[k], expected[mode]) << "mode " << mode << " frame " << k;
    }
  }
}

// Guards against stereo loops that use the wrong factor or stride.
TEST(MixerVoice, StereoUsesLeftAndRightFactorsInterleaved) {
  const std::vector<int16_t> data = Samples16({1000, 2000, 3000, 4000});
  MixSettings settings;
  MixChannel channel;
  SetVoice(channel, data, 0, 2048);
  channel.leftFactor = 3;
  channel.rightFactor = 5;
  std::vector<int64_t> out(8, 7);
  MixVoice(settings, channel, out.data(), 4, true, 0);
  EXPECT_EQ(out, (std::vector<int64_t>{3007, 5007, 6007, 10007, 9007, 15007, 12007, 20007}));
}

std::vector<int8_t> Ramp(int length) {
  std::vector<int8_t> values;
  for (int i = 0; i < length; ++i) values.push_back(static_cast<int8_t>(i));
  return Samples8(values);
}

// Guards against a ping-pong loop that does not turn at either end: the voice
// turns when it reaches the loop end and again back at the loop start.
TEST(MixerVoice, PingPongReversesAtBothLoopPoints) {
  const std::vector<int8_t> data = Ramp(30);
  MixChannel channel;
  SetVoice(channel, data, kChannelLoop | kChannelPingPong, 2048, 15 << 11);
  channel.loopStart = 10;
  channel.loopEnd = 20;
  const std::vector<int64_t> out = RenderMono(channel, 30, 0);
  std::vector<int64_t> expected;
  for (int i = 15; i <= 19; ++i) expected.push_back(i);
  for (int i = 20; i >= 11; --i) expected.push_back(i);
  for (int i = 10; i <= 19; ++i) expected.push_back(i);
  for (int i = 20; i >= 16; --i) expected.push_back(i);
  EXPECT_EQ(out, expected);
  EXPECT_LT(channel.step, 0);
  EXPECT_TRUE(channel.active);
}

// Guards against the per-tick step update turning a backward ping-pong voice
// round again.
TEST(MixerVoice, StepUpdateKeepsTheSignOfABackwardVoice) {
  EXPECT_EQ(StepForFrequency(22050, 44100, -5), -1024);
  EXPECT_EQ(StepForFrequency(22050, 44100, 0), 1024);
  EXPECT_EQ(StepForFrequency(8363, 44100, 1), 388);
  EXPECT_EQ(StepForFrequency(88200, 44100, 1), 4096);
}

// Guards against a forward loop that does not wrap, or wraps to the wrong place.
TEST(MixerVoice, ForwardLoopWrapsToTheLoopStart) {
  const std::vector<int8_t> data = Ramp(6);
  MixChannel channel;
  SetVoice(channel, data, kChannelLoop, 2048);
  channel.loopStart = 2;
  channel.loopEnd = 4;
  EXPECT_EQ(RenderMono(channel, 9, 0), (std::vector<int64_t>{0, 1, 2, 3, 2, 3, 2, 3, 2}));
}

// Guards against a voice without loop that keeps playing past its end (or
// reads beyond its guard samples): it ends and becomes inactive.
TEST(MixerVoice, SampleWithoutLoopEndsAndGoesInactive) {
  const std::vector<int8_t> data = Samples8({10, 20, 30, 40});
  MixChannel channel;
  SetVoice(channel, data, 0, 2048);
  EXPECT_EQ(RenderMono(channel, 7, 2), (std::vector<int64_t>{10, 20, 30, 40, 0, 0, 0}));
  EXPECT_FALSE(channel.active);
}

// Guards against reads outside the data with large steps, odd fractions and
// every mode (AddressSanitizer watches the exact-size buffers).
TEST(MixerVoice, LargeStepsStayInsideTheData) {
  for (int flags : {0, int(kChannelLoop), int(kChannelLoop | kChannelPingPong)}) {
    for (int32_t step : {1, 777, 2047, 2049, 5000, 40000}) {
      const std::vector<int16_t> data = Samples16({1, 2, 3, 4, 5, 6, 7});
      for (int mode = 0; mode < 3; ++mode) {
        MixChannel channel;
        SetVoice(channel, data, static_cast<uint8_t>(flags), step, 3);
        channel.loopStart = 5;
        channel.loopEnd = 6;
        RenderMono(channel, 500, mode);
      }
    }
  }
}

// Guards against a ping-pong voice that overshoots a loop ending at the end
// of its data by more than the guard samples, and turns from out there.
TEST(MixerVoice, PingPongAtTheEndOfTheDataTurnsWithinIt) {
  for (int32_t step : {2048, 3 * 2048 + 100, 9000}) {
    for (int mode = 0; mode < 3; ++mode) {
      const std::vector<int8_t> data = Samples8({1, 2, 3, 4, 5, 6});
      MixChannel channel;
      SetVoice(channel, data, kChannelLoop | kChannelPingPong, step);
      channel.loopStart = 1;
      channel.loopEnd = 6;
      channel.startOffset = 6;
      LimitChannelSample(channel);
      channel.position = channel.startOffset << 11;
      RenderMono(channel, 300, mode);
      EXPECT_TRUE(channel.active);
    }
  }
}

// Guards against a voice without ping-pong running backwards out of its data.
TEST(MixerVoice, NegativeStepWithoutPingPongPlaysForward) {
  const std::vector<int8_t> data = Ramp(8);
  MixChannel channel;
  SetVoice(channel, data, kChannelLoop, -2048, 3 << 11);
  channel.loopStart = 0;
  channel.loopEnd = 8;
  EXPECT_EQ(RenderMono(channel, 6, 0), (std::vector<int64_t>{3, 4, 5, 6, 7, 0}));
}

// Guards against mixing a channel that has no sample, or a zero step that
// would divide by zero.
TEST(MixerVoice, NoSampleOrZeroStepMixesNothing) {
  const std::vector<int8_t> data = Samples8({50, 50});
  MixChannel none;
  SetVoice(none, data, 0, 2048);
  none.sampleIndex = kNoSample;
  EXPECT_EQ(RenderMono(none, 2, 0), (std::vector<int64_t>{0, 0}));
  MixChannel still;
  SetVoice(still, data, kChannelLoop, 0);
  still.loopEnd = 2;
  EXPECT_EQ(RenderMono(still, 2, 0), (std::vector<int64_t>{0, 0}));
  EXPECT_FALSE(still.active);
}

// Guards against reading a voice's data by another sample's flags: an
// instrument change without a note gives the channel new sample flags (here
// 16 bit, looping) while it still plays the old 8-bit data without loop.
TEST(MixerVoice, DataIsMixedByTheFlagsItWasStartedWith) {
  const std::vector<int8_t> data = Samples8({5, 6, 7, 8});
  MixChannel channel;
  SetVoice(channel, data, 0, 2048);
  LimitChannelSample(channel);
  channel.sampleFlags = kChannel16Bit | kChannelLoop | kChannelPingPong;
  EXPECT_EQ(RenderMono(channel, 6, 2), (std::vector<int64_t>{5, 6, 7, 8, 0, 0}));
  EXPECT_FALSE(channel.active);
}

// Guards against loop points outside the sample reaching the mixer.
TEST(MixerVoice, LimitChannelSampleKeepsTheLoopInside) {
  MixChannel channel;
  channel.length = 100;
  channel.loopStart = 150;
  channel.loopEnd = 300;
  channel.sampleFlags = kChannelLoop | kChannelPingPong;
  channel.startOffset = 5000;
  LimitChannelSample(channel);
  EXPECT_EQ(channel.loopEnd, 100u);
  EXPECT_EQ(channel.dataFlags & (kChannelLoop | kChannelPingPong), 0);
  EXPECT_EQ(channel.startOffset, 100u);
}

}  // namespace
