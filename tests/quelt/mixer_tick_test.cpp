// The tick: its length, FX start requests, and the factors of every channel.
#include <gtest/gtest.h>

#include <vector>

#include "model/Cmodule.h"
#include "mixer_fixture.h"

namespace {

// Guards against a tick length counted in frames instead of output bytes, or
// with the wrong tempo formula.
TEST(MixerTick, LengthAt125BpmIs882FramesInEveryFormat) {
  MixSettings settings;
  EXPECT_EQ(TickLengthBytes(settings, 125), 3528);  // stereo 16 bit
  SetMixFormat(settings, 44100, false, false);
  EXPECT_EQ(TickLengthBytes(settings, 125), 882);
  SetMixFormat(settings, 44100, true, false);
  EXPECT_EQ(TickLengthBytes(settings, 125), 1764);
  SetMixFormat(settings, 22050, false, true);
  EXPECT_EQ(TickLengthBytes(settings, 150), 2 * (22050 * 125 / 7500));
  EXPECT_GT(TickLengthBytes(settings, 0), 0);  // a broken tempo still advances
}

// Guards against separation 0 leaving voices off centre: every panning gives
// left = mono*128/256 and right = mono*127/256.
TEST(MixerTick, SeparationZeroCentresEveryVoice) {
  for (uint32_t panning : {0u, 40u, 128u, 255u}) {
    MixChannel channel;
    channel.monoFactor = 1000;
    ApplySeparation(channel, panning, 0);
    EXPECT_EQ(channel.leftFactor, 1000u * 128 >> 8);
    EXPECT_EQ(channel.rightFactor, 1000u * 127 >> 8);
  }
  MixChannel left;
  left.monoFactor = 1000;
  ApplySeparation(left, 0, 255);
  EXPECT_EQ(left.leftFactor, 1000u * 255 >> 8);
  EXPECT_EQ(left.rightFactor, 0u);
  MixChannel half;
  half.monoFactor = 1000;
  ApplySeparation(half, 255, 128);  // q = 128*255/255 + 127/2 = 191
  EXPECT_EQ(half.rightFactor, 1000u * 191 >> 8);
}

// Guards against the FX channels going stale when no module plays: they are
// updated by a tick every 4096 output bytes, and only then.
TEST(MixerTick, FxChannelsUpdateEvery4096BytesWithoutAModule) {
  TestMixer mixer;
  mixer.state->fxChannelCount = 1;
  const std::vector<int16_t> data = Samples16(std::vector<int16_t>(100000, 1000));
  MixChannel& fx = mixer.state->fxChannels[0];
  SetVoice(fx, data, 0, 0);
  fx.active = 0;
  fx.startRequest = 1;
  fx.volume = 64;
  fx.panning = 128;
  fx.frequency = 44100;
  mixer.Render(4);
  EXPECT_TRUE(fx.active);
  EXPECT_FALSE(fx.startRequest);
  EXPECT_EQ(mixer.settings->tickCounter, 4092);
  EXPECT_EQ(fx.step, 2048);
  const uint32_t before = fx.monoFactor;
  ASSERT_NE(before, 0u);
  fx.volume = 32;
  mixer.Render(4092);
  EXPECT_EQ(fx.monoFactor, before);
  mixer.Render(4);
  EXPECT_EQ(fx.monoFactor, before / 2);
  EXPECT_EQ(mixer.settings->tickCounter, 4092);
  EXPECT_EQ(mixer.state->musicChannelCount, 0);
}

// Guards against wrong FX scaling: FX volume x (2^23 >> (shift-1)) / (FX
// channels/4 + 1) >> 7, then volume >> 6, and >> 8 more for 16-bit data.
TEST(MixerTick, FxFactorFollowsTheFxScale) {
  TestMixer mixer;
  mixer.state->fxChannelCount = 3;
  mixer.Render(4);  // sets the scales: stereo, no music, shift 2
  EXPECT_EQ(mixer.settings->outputShift, 2);
  EXPECT_EQ(mixer.settings->fxScale, (128u * ((1u << 23) >> 1)) >> 7);
  MixChannel channel;
  channel.volume = 48;
  channel.frequency = 8000;
  channel.panning = 0;
  UpdateFxChannel(*mixer.settings, channel, 44100);
  EXPECT_EQ(channel.monoFactor, 48u * mixer.settings->fxScale >> 6);
  EXPECT_EQ(channel.leftFactor, channel.monoFactor * 255 >> 8);
  channel.dataFlags = kChannel16Bit;
  UpdateFxChannel(*mixer.settings, channel, 44100);
  EXPECT_EQ(channel.monoFactor, (48u * mixer.settings->fxScale >> 6) >> 8);
  channel.frequency = 0;
  channel.active = 1;
  UpdateFxChannel(*mixer.settings, channel, 44100);
  EXPECT_FALSE(channel.active);  // a zero step ends the voice
}

// Guards against more channels not lowering each one's share: the shift
// grows by one per 8 music channels, and by one in stereo.
TEST(MixerTick, OutputShiftGrowsWithMusicChannels) {
  TestMixer mixer;
  mixer.state->musicChannelCount = 8;
  mixer.Render(4);
  EXPECT_EQ(mixer.settings->outputShift, 3);
  EXPECT_EQ(mixer.settings->musicScale, ((1u << 23) / 8) * 128 >> 7);
  SetMixFormat(*mixer.settings, 44100, false, true);
  mixer.state->musicChannelCount = 7;
  mixer.Render(2);
  EXPECT_EQ(mixer.settings->outputShift, 1);
}

// Guards against a wrong music factor: global volume, channel volume, fade,
// volume envelope and 16-bit data each scale it.
TEST(MixerTick, MusicFactorAppliesFadeEnvelopeAndWidth) {
  TestMixer mixer;
  mixer.settings->musicScale = 1u << 21;
  mixer.state->globalVolume = 64;
  MixChannel channel;
  channel.volume = 32;
  channel.panning = 128;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.monoFactor, 1u << 20);
  channel.fadeoutSpeed = 100;
  channel.fadeVolume = 32768;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.monoFactor, 1u << 19);
  channel.envelopeFlags = kEnvelopeVolumeRunning;
  channel.envelopeVolume = 32;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.monoFactor, 1u << 18);
  channel.dataFlags = kChannel16Bit;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.monoFactor, 1u << 10);
}

// Guards against the panning envelope moving a voice the wrong way or past
// the edges.
TEST(MixerTick, PanningEnvelopeMovesWithinTheRoomLeft) {
  TestMixer mixer;
  mixer.settings->musicScale = 1u << 21;
  mixer.settings->stereoSeparation = 255;
  MixChannel channel;
  channel.volume = 64;
  channel.envelopeFlags = kEnvelopePanningRunning;
  channel.panning = 64;
  channel.envelopePanning = 48;  // 64 + 64*16/32 = 96
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.rightFactor, static_cast<uint32_t>(uint64_t{channel.monoFactor} * 96 >> 8));
  channel.panning = 200;
  channel.envelopePanning = 64;  // 200 + 56 = 256, kept at 255
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_EQ(channel.leftFactor, 0u);
}

// Guards against a triggered note not taking its sample from the module, or
// applying envelopes on its first tick.
TEST(MixerTick, StartRequestCopiesTheModuleSample) {
  TestMixer mixer;
  ModuleSlot module;
  module.samples.resize(2);
  SampleSlot& sample = module.samples[1];
  sample.pcm.assign(60, 0);
  sample.length = 100;
  sample.loopStart = 10;
  sample.loopEnd = 90;
  sample.flags = SampleFlag::Loop;
  mixer.state->currentModule = &module;
  MixChannel channel;
  channel.sampleIndex = 1;
  channel.startOffset = 20;
  channel.startRequest = 1;
  channel.envelopeFlags = kEnvelopeVolumeRunning;
  channel.frequency = 44100;
  channel.step = -4096;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_TRUE(channel.active);
  EXPECT_TRUE(channel.keyOn);
  EXPECT_EQ(channel.data, sample.Data());
  EXPECT_EQ(channel.length, 100u);
  EXPECT_EQ(channel.loopEnd, 90u);
  EXPECT_EQ(channel.position, 20u << 11);
  EXPECT_EQ(channel.step, 2048);  // a new note runs forward
  EXPECT_EQ(channel.envelopeFlags, 0);
  EXPECT_EQ(channel.fadeVolume, 65535);

  channel.sampleIndex = 7;  // no such sample
  channel.startRequest = 1;
  UpdateMusicChannel(*mixer.settings, *mixer.state, channel, 44100);
  EXPECT_FALSE(channel.active);
}

}  // namespace
