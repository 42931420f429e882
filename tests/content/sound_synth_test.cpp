// Tests of the synthesiser's building blocks: sources, filters, envelopes,
// conversion and the WAVE writer.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/sfx/envelope.h"
#include "tools/sfx/filter.h"
#include "tools/sfx/oscillator.h"
#include "tools/sfx/wave.h"

namespace {

using namespace synth;

int CountRisingZeroCrossings(const Signal& signal) {
  int count = 0;
  for (size_t i = 1; i < signal.size(); ++i) count += signal.samples[i - 1] < 0 && signal.samples[i] >= 0;
  return count;
}

// The lag (in samples) in [low, high] at which the signal best matches itself.
size_t StrongestPeriod(const Signal& signal, size_t low, size_t high) {
  size_t best = low;
  double bestScore = -1e300;
  for (size_t lag = low; lag <= high; ++lag) {
    double score = 0;
    for (size_t i = 0; i + lag < signal.size(); ++i) score += signal.samples[i] * signal.samples[i + lag];
    if (score > bestScore) {
      bestScore = score;
      best = lag;
    }
  }
  return best;
}

TEST(Synth, RandomSourceRepeatsForASeedAndStaysInRange) {
  // Guards against tools whose output changes between runs or machines.
  RandomSource a(7), b(7), c(8);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    double x = a.Bipolar();
    EXPECT_EQ(x, b.Bipolar());
    differs |= x != c.Bipolar();
    EXPECT_GE(x, -1.0);
    EXPECT_LT(x, 1.0);
  }
  EXPECT_TRUE(differs);
}

TEST(Synth, OscillatorsRunAtTheirFrequencyAndGlideToTheTarget) {
  // Guards against phase accumulation errors that detune every sound.
  for (Waveform waveform : {Waveform::Sine, Waveform::Triangle, Waveform::Saw, Waveform::Square}) {
    Signal tone = Oscillator(22050, 1.0, waveform, Constant(441.0), 0.25);
    EXPECT_NEAR(CountRisingZeroCrossings(tone), 441, 1) << static_cast<int>(waveform);
    EXPECT_LE(PeakLevel(tone), 1.15) << static_cast<int>(waveform);
  }
  Signal glide = Oscillator(22050, 2.0, Waveform::Sine, ExponentialGlide(200.0, 400.0, 1.0));
  Signal tail(22050, 0);
  tail.samples.assign(glide.samples.begin() + 22050, glide.samples.end());
  EXPECT_NEAR(CountRisingZeroCrossings(tail), 400, 1);
}

TEST(Synth, PluckedStringKeepsItsPitchAndFades) {
  // Guards against a delay line of the wrong length (out of tune plucks)
  // or a feedback that grows instead of decaying.
  RandomSource random(3);
  Signal pluck = Pluck(33452, 1.0, 523.25, 0.3, 0.5, random);
  EXPECT_NEAR(static_cast<double>(StrongestPeriod(pluck, 40, 90)), 33452 / 523.25, 1.0);
  Signal start(33452, 0), end(33452, 0);
  start.samples.assign(pluck.samples.begin(), pluck.samples.begin() + 3000);
  end.samples.assign(pluck.samples.end() - 3000, pluck.samples.end());
  EXPECT_LT(RmsLevel(end), RmsLevel(start) * 0.1);
}

TEST(Synth, LowPassKeepsTheLowAndRemovesTheHigh) {
  // Guards against swapped filter coefficients.
  Signal low = Oscillator(22050, 0.5, Waveform::Sine, Constant(200.0));
  Signal high = Oscillator(22050, 0.5, Waveform::Sine, Constant(8000.0));
  Filter(low, FilterKind::Lowpass, 1000.0);
  Filter(high, FilterKind::Lowpass, 1000.0);
  EXPECT_GT(Decibels(RmsLevel(low) / std::sqrt(0.5)), -1.0);
  EXPECT_LT(Decibels(RmsLevel(high) / std::sqrt(0.5)), -25.0);
  Signal band = Oscillator(22050, 0.5, Waveform::Sine, Constant(8000.0));
  Filter(band, FilterKind::Highpass, 1000.0);
  EXPECT_GT(Decibels(RmsLevel(band) / std::sqrt(0.5)), -1.0);
}

TEST(Synth, BreakpointsInterpolateAndHoldTheirEnds) {
  // Guards against envelopes that jump or run past their last point.
  Curve curve = Breakpoints({{0.5, 1.0}, {1.5, 3.0}, {2.0, 0.0}});
  EXPECT_DOUBLE_EQ(curve(0.0), 1.0);
  EXPECT_DOUBLE_EQ(curve(1.0), 2.0);
  EXPECT_DOUBLE_EQ(curve(1.75), 1.5);
  EXPECT_DOUBLE_EQ(curve(9.0), 0.0);
  EXPECT_THROW(Breakpoints({{1.0, 0.0}, {0.5, 1.0}}), std::invalid_argument);
  EXPECT_THROW(Breakpoints({}), std::invalid_argument);
  EXPECT_NEAR(AttackDecay(0.1, 1.0)(0.05), 0.5, 1e-12);
  EXPECT_NEAR(AttackDecay(0.1, 1.0)(1.1), std::exp(-1.0), 1e-12);
}

TEST(Synth, FadesStartAndEndAtSilenceAndLeaveTheMiddle) {
  // Guards against clicks at the edges of every effect and instrument.
  Signal signal(1000, 1.0);
  for (double& x : signal.samples) x = 0.8;
  ApplyFades(signal, 0.1, 0.2);
  EXPECT_EQ(signal.samples.front(), 0.0);
  EXPECT_EQ(signal.samples.back(), 0.0);
  EXPECT_DOUBLE_EQ(signal.samples[500], 0.8);
  EXPECT_NEAR(signal.samples[50], 0.4, 1e-9);
  for (size_t i = 1; i < 100; ++i) EXPECT_GE(signal.samples[i], signal.samples[i - 1]);
}

TEST(Synth, ConversionRoundsAndClampsToTheSampleRange) {
  // Guards against wrap-around (a loud click) instead of clipping.
  Signal signal(10, 0.5);
  signal.samples = {0.0, 0.5, -0.5, 1.0, -1.0, 1.5, -1.5, 0.00002};
  EXPECT_EQ(ToPcm16(signal), (std::vector<int16_t>{0, 16384, -16384, 32767, -32767, 32767, -32768, 1}));
  EXPECT_EQ(ToPcm8(signal), (std::vector<int8_t>{0, 64, -64, 127, -127, 127, -128, 0}));
  NormalisePeak(signal, 0.75);
  EXPECT_DOUBLE_EQ(PeakLevel(signal), 0.75);
}

TEST(Synth, WaveHeaderDescribes16BitMonoPcm) {
  // Guards against a header the sound bank reads at the wrong places.
  auto wave = MakeWave({1, -2, 3}, 22050);
  auto u32 = [&](size_t at) { return wave[at] | wave[at + 1] << 8 | wave[at + 2] << 16 | wave[at + 3] << 24; };
  auto u16 = [&](size_t at) { return wave[at] | wave[at + 1] << 8; };
  ASSERT_EQ(wave.size(), 50u);
  EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
  EXPECT_EQ(u32(4), 42);
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(u32(16), 16);
  EXPECT_EQ(u16(20), 1);
  EXPECT_EQ(u16(22), 1);
  EXPECT_EQ(u32(24), 22050);
  EXPECT_EQ(u32(28), 44100);
  EXPECT_EQ(u16(32), 2);
  EXPECT_EQ(u16(34), 16);
  EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
  EXPECT_EQ(u32(40), 6);
  EXPECT_EQ(static_cast<int16_t>(u16(46)), -2);
}

}  // namespace
