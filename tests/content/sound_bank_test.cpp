// Tests of the sound bank "sounds.dat" in the program directory, read the
// way the game reads it, and of the choice of each effect's delta coding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/packs/reader.h"
#include "support/program_directory.h"
#include "tools/sfx/bank.h"
#include "tools/sfx/oscillator.h"
#include "tools/sfx/wave.h"

namespace {

// One entry, taken apart as the sound bank does.
struct BankSample {
  bool stereo = false, sixteenBit = false;
  uint32_t rate = 0;
  int32_t frames = 0;
  size_t dataOffset = 0;
  std::vector<int16_t> pcm;
  uint8_t method = 0;
};

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

BankSample ReadBankSample(int index) {
  BankSample sample;
  std::vector<uint8_t> bytes;
  uint32_t size = ExtractEntry(index, bytes);
  EXPECT_GE(size, 44u);
  sample.method = PackEntry(index)->method;
  sample.stereo = bytes[22] == 2;
  sample.rate = U32(bytes, 24);
  sample.sixteenBit = bytes[34] == 16;
  size_t chunk = 20 + U32(bytes, 16);
  sample.frames = static_cast<int32_t>(U32(bytes, chunk + 4) / ((sample.stereo ? 2 : 1) * (sample.sixteenBit ? 2 : 1)));
  sample.dataOffset = chunk + 8;
  sample.pcm.resize(static_cast<size_t>(sample.frames));
  std::memcpy(sample.pcm.data(), bytes.data() + sample.dataOffset, sample.pcm.size() * 2);
  return sample;
}

class SoundBank : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    testing_support::InProgramDirectory programDirectory;
    ASSERT_TRUE(OpenPack("sounds.dat", 0)) << "sounds.dat in " << TERVANE_GAME_DIR;
    for (int i = 1; i <= 8; ++i) samples_.push_back(ReadBankSample(i));
    ClosePack();
  }
  static std::vector<BankSample> samples_;
};
std::vector<BankSample> SoundBank::samples_;

TEST_F(SoundBank, EntriesOneToEightAre16BitMonoAt22050Hz) {
  // Guards against entries the game would create as wrong-rate or
  // wrong-width samples, or read with the data at the wrong offset.
  ASSERT_EQ(samples_.size(), 8u);
  for (const BankSample& sample : samples_) {
    EXPECT_FALSE(sample.stereo);
    EXPECT_TRUE(sample.sixteenBit);
    EXPECT_EQ(sample.rate, 22050u);
    EXPECT_EQ(sample.dataOffset, 44u);
    EXPECT_TRUE(sample.method == 34 || sample.method == 36 || sample.method == 38) << int(sample.method);
  }
}

TEST_F(SoundBank, EachEffectLastsAsLongAsItsEventNeeds) {
  // Guards against effects that drag on (a cell opening repeats quickly
  // during cascades) or get cut short.
  const double lowest[8] = {0.02, 0.01, 1.0, 0.005, 1.6, 0.8, 0.45, 0.03};
  const double highest[8] = {0.1, 0.08, 2.0, 0.05, 2.4, 1.2, 0.8, 0.15};
  for (int i = 0; i < 8; ++i) {
    double seconds = samples_[i].frames / 22050.0;
    EXPECT_GE(seconds, lowest[i]) << "entry " << i + 1;
    EXPECT_LE(seconds, highest[i]) << "entry " << i + 1;
  }
}

TEST_F(SoundBank, EffectsStartAndEndAtSilenceAndNeverClip) {
  // Guards against clicks at the start or end of an effect, and against
  // samples at full scale that clip once mixed.
  for (int i = 0; i < 8; ++i) {
    const std::vector<int16_t>& pcm = samples_[i].pcm;
    int peak = 0;
    for (int16_t value : pcm) peak = std::max(peak, std::abs(int{value}));
    EXPECT_EQ(pcm.front(), 0) << "entry " << i + 1;
    EXPECT_LE(std::abs(int{pcm.back()}), 64) << "entry " << i + 1;
    EXPECT_LT(peak, 31000) << "entry " << i + 1;
    EXPECT_GT(peak, 8000) << "entry " << i + 1;
  }
}

TEST_F(SoundBank, DecodedEffectsStayFaithfulToTheSynthesis) {
  // Guards against a coding chosen too narrow for its effect (audible
  // grit), or a bank that no longer matches what the tool makes.
  auto sounds = synth::MakeEffectSounds();
  for (int i = 0; i < 8; ++i) {
    std::vector<int16_t> original = synth::ToPcm16(sounds[i].signal);
    ASSERT_EQ(original.size(), samples_[i].pcm.size());
    double signal = 0, error = 0;
    for (size_t j = 0; j < original.size(); ++j) {
      double difference = original[j] - samples_[i].pcm[j];
      signal += static_cast<double>(original[j]) * original[j];
      error += difference * difference;
    }
    double ratio = 10 * std::log10(signal / error);
    EXPECT_GE(ratio, samples_[i].method == 38 ? 35.0 : synth::kMinimumSignalToError) << "entry " << i + 1;
  }
}

TEST(SoundBankBuild, IsTheSameFileOnEveryRun) {
  // Guards against a build that is not reproducible (uninitialised data,
  // unseeded noise).
  testing_support::InProgramDirectory programDirectory;
  std::ifstream in("sounds.dat", std::ios::binary);
  ASSERT_TRUE(in.good()) << "sounds.dat in " << TERVANE_GAME_DIR;
  std::vector<uint8_t> onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<synth::BankChoice> choices;
  EXPECT_EQ(synth::BuildSoundBank(synth::MakeEffectSounds(), choices), onDisk);
  ASSERT_EQ(choices.size(), 8u);
}

std::vector<uint8_t> SineWave(double frequency, double level) {
  synth::Signal tone = synth::Oscillator(22050, 0.5, synth::Waveform::Sine, synth::Constant(frequency));
  synth::NormalisePeak(tone, level);
  return synth::MakeWave(synth::ToPcm16(tone), 22050);
}

TEST(SoundBankBuild, ChoosesTheNarrowestCodingThatStaysFaithful) {
  // Guards against wasting bytes on wide codes for quiet, slow sounds, and
  // against narrow codes for sounds they smear.
  synth::BankChoice hum = synth::ChooseDeltaMethod(SineWave(60, 0.3));
  EXPECT_EQ(hum.method, 34) << hum.ratios[0];
  synth::BankChoice tone = synth::ChooseDeltaMethod(SineWave(700, 0.5));
  EXPECT_EQ(tone.method, 36) << tone.ratios[0] << " " << tone.ratios[1];
  synth::BankChoice hiss = synth::ChooseDeltaMethod(SineWave(6000, 0.9));
  EXPECT_EQ(hiss.method, 38) << hiss.ratios[1];
  for (const auto& choice : {hum, tone, hiss}) {
    EXPECT_LE(choice.ratios[0], choice.ratios[1]);
    EXPECT_LE(choice.ratios[1], choice.ratios[2]);
  }
  EXPECT_LT(tone.storedBytes, hiss.storedBytes);
}

}  // namespace
