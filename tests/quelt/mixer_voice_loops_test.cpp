// The voice loop sets against the mixer as first written (portable loops on
// 64-bit sums): every set, on random voices of every kind, adds exactly the
// same values and leaves the voice in the same place.
#include <gtest/gtest.h>

#include <random>

#include "mixer_fixture.h"

namespace {

struct RandomVoice {
  std::vector<int8_t> data8;
  std::vector<int16_t> data16;
  MixChannel channel;
};

// A voice with random data (full-range values, so that interpolation
// overshoots), random loop kind and points, position, step and factors
// small enough for 32-bit sums.
RandomVoice MakeVoice(std::mt19937& random, bool sixteenBit) {
  RandomVoice voice;
  const uint32_t length = 1 + random() % 300;
  const uint8_t loopKinds[] = {0, kChannelLoop, kChannelLoop | kChannelPingPong};
  const uint8_t flags = loopKinds[random() % 3];
  if (sixteenBit) {
    std::vector<int16_t> values(length);
    for (int16_t& value : values) value = static_cast<int16_t>(random() % 2 ? random() : (random() % 2 ? 32767 : -32768));
    voice.data16 = Samples16(values);
    SetVoice(voice.channel, voice.data16, flags, 0);
  } else {
    std::vector<int8_t> values(length);
    for (int8_t& value : values) value = static_cast<int8_t>(random() % 2 ? random() : (random() % 2 ? 127 : -128));
    voice.data8 = Samples8(values);
    SetVoice(voice.channel, voice.data8, flags, 0);
  }
  MixChannel& channel = voice.channel;
  channel.loopStart = random() % length;
  channel.loopEnd = channel.loopStart + 1 + random() % (length - channel.loopStart);
  channel.position = static_cast<uint32_t>(random() % (length * 2048));
  channel.step = static_cast<int32_t>(1 + random() % 12000) * (random() % 4 == 0 ? -1 : 1);
  channel.monoFactor = 1 + random() % (sixteenBit ? 8000 : 2000000);
  channel.leftFactor = channel.monoFactor * (random() % 256) >> 8;
  channel.rightFactor = channel.monoFactor - channel.leftFactor;
  return voice;
}

// Guards against a vector loop that reads another sample, rounds otherwise,
// loses a frame at a span's end, mixes into the wrong accumulator, or reads
// past the data (the random lengths put spans on the data's last samples;
// AddressSanitizer sees any read beyond the guard samples).
TEST(VoiceLoops, EverySetAddsExactlyWhatTheFirstMixerAdded) {
  std::mt19937 random(20261208);
  const VoiceLoopSet sets[] = {VoiceLoopSet::Portable, VoiceLoopSet::Sse2, VoiceLoopSet::Avx2};
  const VoiceLoopSet chosen = SelectedVoiceLoops();
  for (int trial = 0; trial < 600; ++trial) {
    const bool sixteenBit = trial % 2;
    const bool stereo = trial / 2 % 2;
    const int interpolation = trial / 4 % 3;
    const uint32_t frames = 1 + random() % 900;
    const RandomVoice voice = MakeVoice(random, sixteenBit);
    MixSettings settings;
    std::vector<int64_t> expected(2 * frames);
    MixChannel reference = voice.channel;
    MixVoice(settings, reference, expected.data(), frames, stereo, interpolation);
    for (VoiceLoopSet set : sets) {
#if defined(__x86_64__)
      if (set == VoiceLoopSet::Avx2 && !__builtin_cpu_supports("avx2")) continue;
#else
      if (set != VoiceLoopSet::Portable) continue;
#endif
      SelectVoiceLoops(set);
      std::vector<int32_t> sums(2 * frames);
      MixChannel channel = voice.channel;
      MixVoice(settings, channel, sums.data(), frames, stereo, interpolation);
      SCOPED_TRACE(testing::Message() << "trial " << trial << ", set " << int(set));
      ASSERT_EQ(std::vector<int64_t>(sums.begin(), sums.end()), expected);
      EXPECT_EQ(channel.position, reference.position);
      EXPECT_EQ(channel.step, reference.step);
      EXPECT_EQ(channel.active, reference.active);
    }
  }
  SelectVoiceLoops(chosen);
}

}  // namespace
