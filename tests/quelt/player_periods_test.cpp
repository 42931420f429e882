// Tests of the three period systems, the waveforms and the envelope walker.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "player/ModulePlayerEnvelopes.h"
#include "player/ModulePlayerPeriods.h"
#include "player/ModulePlayerWaveforms.h"
#include "player_fixture.h"

using namespace quelt;

namespace {

// Guards against a wrong octave table or shift: the C2-rate period is
// ((8363 x 16 x P[n mod 12]) >> (n / 12)) / rate for every note.
TEST(PlayerPeriods, C2RateFollowsItsFormula) {
  const uint32_t octave[12] = {1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960, 907};
  for (uint32_t rate : {8363u, 22050u, 4000u}) {
    for (int note = 1; note <= 119; ++note) {
      const uint32_t expected = ((8363u * 16 * octave[note % 12]) >> (note / 12)) / rate;
      EXPECT_EQ(C2RatePeriod(note, rate), expected) << note << " " << rate;
    }
  }
  EXPECT_EQ(C2RatePeriod(48, 0), kNoSamplePeriod);
  // Middle C at 8363 Hz plays back at 8363 Hz.
  EXPECT_EQ(PeriodFrequency(PeriodSystem::C2Rate, C2RatePeriod(48, 8363)), 14317056u / 1712);
}

// Guards against a wrong slope, a missing clamp of the table note, or
// finetune halved away from zero.
TEST(PlayerPeriods, LinearFollowsItsFormula) {
  EXPECT_EQ(LinearPeriod(49, 0, 0), 7680u - 64 * 48);
  EXPECT_EQ(LinearPeriod(49, 12, 0), 7680u - 64 * 60);
  EXPECT_EQ(LinearPeriod(1, -5, 0), 7680u);       // below the table: note 0
  EXPECT_EQ(LinearPeriod(200, 0, 0), 7680u - 64 * 118);
  EXPECT_EQ(LinearPeriod(49, 0, 3), 7680u - 64 * 48 - 1);
  EXPECT_EQ(LinearPeriod(49, 0, -3), 7680u - 64 * 48 + 1);
  EXPECT_EQ(LinearPeriod(49, 0, -128), 7680u - 64 * 48 + 64);
  for (uint32_t period : {40u, 1000u, 4608u, 5376u, 7680u, 40000u}) {
    const auto expected = static_cast<uint32_t>(8363.0 * std::exp2((4608.0 - period) / 768.0));
    EXPECT_EQ(PeriodFrequency(PeriodSystem::Linear, period), expected) << period;
  }
  EXPECT_EQ(PeriodFrequency(PeriodSystem::Linear, 4608), 8363u);
  EXPECT_EQ(PeriodFrequency(PeriodSystem::Linear, 4608 + 768), 8363u / 2);
}

// Guards against misreading the finetune nibble of negative finetunes or
// indexing the 97-entry table out of range.
TEST(PlayerPeriods, AmigaFollowsItsFormula) {
  const auto& table = kAmigaFinetunePeriods;
  for (int note = 1; note <= 120; ++note) {
    for (int finetune = -128; finetune <= 127; finetune += 7) {
      const int m = std::clamp(note - 1, 0, 118);
      const int f = finetune;
      const int step = std::max(0, 8 * (m % 12) + static_cast<int>(std::floor(f / 16.0)));
      const uint32_t expected =
          (((16 - (f & 15)) * table[step] + (f & 15) * table[step + 1]) * 2) >> (m / 12);
      EXPECT_EQ(AmigaPeriod(note, 0, finetune), expected) << note << " " << finetune;
    }
  }
  EXPECT_EQ(AmigaPeriod(1, 0, 0), 16u * 856 * 2);
  EXPECT_EQ(AmigaPeriod(49, 0, 0), 1712u);
  EXPECT_EQ(AmigaPeriod(37, 12, 0), 1712u);  // relative note counts
  EXPECT_EQ(PeriodFrequency(PeriodSystem::Amiga, 1712), 14317456u / 1712);
  EXPECT_EQ(table[0], 856);
  EXPECT_EQ(table[96], 428);
}

// Guards against choosing the wrong system from the sample flags.
TEST(PlayerPeriods, SystemFromFlagsAndNoSample) {
  EXPECT_EQ(PeriodSystemFromFlags(SampleFlag::C2Rate), PeriodSystem::C2Rate);
  EXPECT_EQ(PeriodSystemFromFlags(SampleFlag::C2Rate | SampleFlag::Linear), PeriodSystem::C2Rate);
  EXPECT_EQ(PeriodSystemFromFlags(SampleFlag::Linear), PeriodSystem::Linear);
  EXPECT_EQ(PeriodSystemFromFlags(SampleFlag::Loop | SampleFlag::OwnPanning), PeriodSystem::Amiga);
  EXPECT_EQ(NotePeriod(SampleTuning{}, 49), kNoSamplePeriod);
  SampleTuning linear{PeriodSystem::Linear, 0, 2, 0};
  EXPECT_EQ(NotePeriod(linear, 49), LinearPeriod(49, 2, 0));
}

// Guards against a wrong table value or sign of the second half.
TEST(PlayerWaveforms, FourShapes) {
  EXPECT_EQ(WaveformValue(kWaveSine, 0), 0);
  EXPECT_EQ(WaveformValue(kWaveSine, 16), 255);
  EXPECT_EQ(WaveformValue(kWaveSine, 48), -255);
  EXPECT_EQ(WaveformValue(kWaveSine, 64 + 8), 180);  // only the low six bits count
  EXPECT_EQ(WaveformValue(kWaveRamp, 3), 24);
  EXPECT_EQ(WaveformValue(kWaveRamp, 32 + 3), -(255 - 24));
  EXPECT_EQ(WaveformValue(kWaveSquare, 5), 255);
  EXPECT_EQ(WaveformValue(kWaveSquare, 40), -255);
  EXPECT_EQ(WaveformValue(kWaveIndex, 7), 7);
  EXPECT_EQ(WaveformValue(kWaveIndex, 39), -7);
  // The swing truncates its magnitude, then takes the sign.
  EXPECT_EQ(WaveformOffset(kWaveSine, 48, 15, 5), -((255 * 15) >> 5));
  EXPECT_EQ(WaveformOffset(kWaveSine, 16, 15, 7), (255 * 15) >> 7);
}

// Walks an envelope made of (tick, value) pairs.
struct TestEnvelope {
  Envelope envelope;
  uint8_t point = 0;
  uint16_t tick = 0xFFFF;

  TestEnvelope(std::initializer_list<uint16_t> pairs, uint8_t flags, uint8_t sustain = 0,
               uint8_t loopStart = 0, uint8_t loopEnd = 0)
      : envelope(player_test::MakeEnvelope(pairs, flags, sustain, loopStart, loopEnd)) {}
  int Step(bool keyOn = true) { return StepEnvelope(envelope, {point, tick}, keyOn); }
  void SetPosition(uint16_t to) { SetEnvelopePosition(envelope, {point, tick}, to); }
};

// Guards against wrong interpolation and against reading past the last point.
TEST(PlayerEnvelopes, InterpolatesAndHoldsTheLastPoint) {
  TestEnvelope envelope({0, 64, 4, 0, 8, 32}, EnvelopeFlag::On);
  const int expected[] = {64, 48, 32, 16, 0, 8, 16, 24, 32, 32, 32};
  for (int value : expected) EXPECT_EQ(envelope.Step(), value);
  EXPECT_EQ(envelope.point, 2);
  EXPECT_EQ(envelope.tick, 8);
}

// Guards against the sustain point not holding while the key is down, or
// holding after key off.
TEST(PlayerEnvelopes, SustainHoldsUntilKeyOff) {
  TestEnvelope envelope({0, 0, 2, 64, 4, 0}, EnvelopeFlag::On | EnvelopeFlag::Sustain, 1);
  EXPECT_EQ(envelope.Step(), 0);
  EXPECT_EQ(envelope.Step(), 32);
  EXPECT_EQ(envelope.Step(), 64);  // reaches the sustain point
  for (int i = 0; i < 5; ++i) EXPECT_EQ(envelope.Step(), 64);
  EXPECT_EQ(envelope.Step(false), 32);
  EXPECT_EQ(envelope.Step(false), 0);
  EXPECT_EQ(envelope.Step(false), 0);
}

// Guards against the loop not returning to its start point, and against a
// loop start beyond the points being followed.
TEST(PlayerEnvelopes, LoopsBetweenItsPoints) {
  TestEnvelope envelope({0, 0, 2, 64, 4, 0, 10, 10}, EnvelopeFlag::On | EnvelopeFlag::Loop, 0, 0, 2);
  // The loop end shows for one tick, then the loop start point.
  const int expected[] = {0, 32, 64, 32, 0, 0, 32, 64, 32, 0, 0, 32};
  for (int value : expected) EXPECT_EQ(envelope.Step(false), value);

  TestEnvelope broken({0, 10, 2, 20}, EnvelopeFlag::On | EnvelopeFlag::Loop, 0, 9, 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(broken.Step(), 20);
}

// Guards against division by zero on points sharing a tick, values above 64
// from a file, and a cursor left past the end by another instrument.
TEST(PlayerEnvelopes, HostilePointsStayInRange) {
  TestEnvelope same({0, 10, 0, 60, 0, 30, 5, 200}, EnvelopeFlag::On);
  TestEnvelope unfilled({0, 10, 5, 20}, EnvelopeFlag::On);
  unfilled.envelope.count = 3;  // more points announced than stored
  EXPECT_FALSE(EnvelopeRuns(unfilled.envelope));
  for (int i = 0; i < 8; ++i) {
    const int value = same.Step();
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 64);
  }
  TestEnvelope shorter({0, 5, 10, 5}, EnvelopeFlag::On);
  shorter.point = 7;
  EXPECT_EQ(shorter.Step(), 5);
  TestEnvelope empty({}, EnvelopeFlag::On);
  EXPECT_FALSE(EnvelopeRuns(empty.envelope));
  EXPECT_EQ(empty.Step(), 64);
}

// Guards against setting the envelope position to the wrong point or tick.
TEST(PlayerEnvelopes, SetPositionLandsOnTheTick) {
  TestEnvelope envelope({0, 0, 10, 40, 20, 0}, EnvelopeFlag::On);
  envelope.SetPosition(5);
  EXPECT_EQ(envelope.point, 0);
  EXPECT_EQ(envelope.Step(), 20);
  envelope.SetPosition(15);
  EXPECT_EQ(envelope.point, 1);
  EXPECT_EQ(envelope.Step(), 20);
  envelope.SetPosition(300);
  EXPECT_EQ(envelope.point, 2);
  EXPECT_EQ(envelope.tick, 20);
  EXPECT_EQ(envelope.Step(), 0);
}

}  // namespace
