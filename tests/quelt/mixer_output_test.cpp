// The mixing pass: conversion with clipping, the busy byte, odd byte counts
// and format changes.
#include <gtest/gtest.h>

#include <vector>

#include "mixer_fixture.h"

namespace {

// A mixer with one FX voice of constant value at full volume.
struct LoudMixer : TestMixer {
  std::vector<int8_t> data;
  explicit LoudMixer(int8_t value) : data(Samples8(std::vector<int8_t>(50000, value))) {
    settings->fxVolume = 255;
    state->fxChannelCount = 1;
    MixChannel& fx = state->fxChannels[0];
    SetVoice(fx, data, 0, 0);
    fx.active = 0;
    fx.startRequest = 1;
    fx.volume = 64;
    fx.panning = 128;
    fx.frequency = 44100;
  }
};

// Guards against wrap-around instead of clipping: an 8-bit sample driven
// above full scale gives 255 in 8-bit output and 32767 in 16-bit output (and
// the bottom values when negative).
TEST(MixerOutput, LoudVoicesClipAtFullScale) {
  for (int8_t value : {int8_t{127}, int8_t{-128}}) {
    LoudMixer eightBit(value);
    SetMixFormat(*eightBit.settings, 44100, false, false);
    const std::vector<uint8_t> bytes = eightBit.Render(64);
    EXPECT_EQ(bytes[10], value > 0 ? 255 : 0);

    LoudMixer sixteenBit(value);
    SetMixFormat(*sixteenBit.settings, 44100, false, true);
    const std::vector<uint8_t> words = sixteenBit.Render(64);
    EXPECT_EQ(Word(words, 10), value > 0 ? 32767 : -32768);
  }
}

// Guards against a wrong output shift: a quiet voice comes out at the level
// the factors and the shift give, in both output widths.
TEST(MixerOutput, ConversionShiftsByTheOutputShift) {
  LoudMixer mixer(10);
  mixer.settings->fxVolume = 128;
  SetMixFormat(*mixer.settings, 44100, false, true);
  const std::vector<uint8_t> words = mixer.Render(8);
  // mono, no music: shift 1; scale 128*2^23>>7 = 2^23; factor 64*2^23>>6 = 2^23.
  EXPECT_EQ(Word(words, 1), static_cast<int16_t>((10LL << 23) >> 15));
  SetMixFormat(*mixer.settings, 44100, false, false);
  const std::vector<uint8_t> bytes = mixer.Render(4);
  EXPECT_EQ(bytes[1], ((10LL << 23) >> 23) + 128);
}

// Guards against writing noise when nothing plays.
TEST(MixerOutput, SilenceIsZeroOr128) {
  TestMixer mixer;
  for (uint8_t byte : mixer.Render(400)) EXPECT_EQ(byte, 0);
  SetMixFormat(*mixer.settings, 22050, true, false);
  for (uint8_t byte : mixer.Render(400)) EXPECT_EQ(byte, 128);
}

// Guards against a second pass running while one is busy, or a pass running
// while a client holds the mixer.
TEST(MixerOutput, BusyMixerLeavesTheRegionAsItWas) {
  TestMixer mixer;
  mixer.state->busy = kMixerMixing;
  for (uint8_t byte : mixer.Render(16)) EXPECT_EQ(byte, 0xEE);
  mixer.state->busy = kMixerIdle;
  {
    MixerClaim claim(*mixer.state);
    EXPECT_EQ(mixer.state->busy.load(), kMixerClaimed);
  }
  EXPECT_EQ(mixer.state->busy.load(), kMixerIdle);
  EXPECT_EQ(mixer.Render(16)[0], 0);
}

// Guards against an endless loop or stray bytes when a region ends in a
// partial frame: the whole frames are mixed, the rest is silence.
TEST(MixerOutput, PartialFrameAtTheEndIsSilence) {
  LoudMixer mixer(100);
  SetMixFormat(*mixer.settings, 44100, true, true);
  const std::vector<uint8_t> bytes = mixer.Render(10);
  EXPECT_NE(Word(bytes, 0), 0);
  EXPECT_EQ(bytes[8], 0);
  EXPECT_EQ(bytes[9], 0);
}

// Guards against format changes leaving the tick counter in the middle of a
// frame, or accepting a rate of 0 (which would divide by zero).
TEST(MixerOutput, FormatChangeKeepsWholeFrames) {
  MixSettings settings;
  settings.tickCounter = 4095;
  EXPECT_TRUE(SetMixFormat(settings, 22050, false, true));
  EXPECT_EQ(settings.tickCounter, 4092);
  EXPECT_EQ(settings.formatFlags.load(), kFormat16Bit);
  EXPECT_EQ(settings.rate.load(), 22050);
  EXPECT_FALSE(SetMixFormat(settings, 0, true, true));
  EXPECT_EQ(settings.rate.load(), 22050);
}

// Guards against a tick boundary inside a region being missed: a long region
// runs as many ticks as it spans.
TEST(MixerOutput, LongRegionsRunEveryTickTheySpan) {
  TestMixer mixer;
  mixer.Render(4096 * 3 + 8);
  EXPECT_EQ(mixer.settings->tickCounter, 4096 - 8);
}

}  // namespace
