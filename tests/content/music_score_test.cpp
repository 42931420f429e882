// Tests of the tools the composition is written with: note names, the
// event notation, tuning of synthesised samples and seamless loops.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/music/looped.h"
#include "tools/music/parts.h"
#include "tools/music/score.h"
#include "tools/music/tuning.h"

namespace {

using namespace music;

TEST(Score, NoteNamesFollowTheModulesNumbering) {
  // Guards against notes an octave or a semitone off.
  EXPECT_EQ(ParseNote("C-0"), 1);
  EXPECT_EQ(ParseNote("C-4"), 49);
  EXPECT_EQ(ParseNote("C#4"), 50);
  EXPECT_EQ(ParseNote("Bb3"), 47);
  EXPECT_EQ(ParseNote("A-4"), 58);
  EXPECT_EQ(ParseNote("B-7"), 96);
  EXPECT_EQ(ParseNote("=="), xm::kKeyOff);
  for (const char* bad : {"H-4", "C+4", "C-8", "Cb0", "C4", "C-44", ""}) {
    EXPECT_THROW(ParseNote(bad), std::invalid_argument) << bad;
  }
}

TEST(Score, EventsFillOnlyTheFieldsTheyGive) {
  // Guards against events landing in the wrong cell or field, glides that
  // retrigger their note, and lines that wipe what another line wrote.
  xm::Module module;
  module.channels = 3;
  Score score(module);
  int p = score.AddPattern(16);
  score.Line(p, 1, 4, "0:D-5@40!443 2:..~C8 3:E-5!305 5:== 7:..!A0F");
  score.Line(p, 1, 7, "0:..!F50");
  const xm::Cell& first = module.patterns[p].At(0, 1);
  EXPECT_EQ(first.note, ParseNote("D-5"));
  EXPECT_EQ(first.instrument, 4);
  EXPECT_EQ(first.volume, 0x10 + 40);
  EXPECT_EQ(first.effect, xm::kSpeedTempo);
  EXPECT_EQ(first.parameter, 0x50);
  EXPECT_EQ(module.patterns[p].At(2, 1).volume, 0xC8);
  const xm::Cell& glide = module.patterns[p].At(3, 1);
  EXPECT_EQ(glide.instrument, 0);
  EXPECT_EQ(glide.effect, xm::kTonePorta);
  EXPECT_EQ(module.patterns[p].At(5, 1).note, xm::kKeyOff);
  EXPECT_EQ(module.patterns[p].At(5, 1).instrument, 0);
  EXPECT_EQ(module.patterns[p].At(7, 1).effect, xm::kVolumeSlide);
  EXPECT_EQ(module.patterns[p].At(7, 1).parameter, 0x0F);
  EXPECT_TRUE(module.patterns[p].At(0, 0).Empty());
  for (const char* bad : {"0D-4", "x:D-4", "0:D-4@65", "0:D-4!G", "0:D-4!4xx", "0:D-4@3~C8", "0:Q-4"}) {
    EXPECT_THROW(score.Line(p, 0, 1, bad), std::invalid_argument) << bad;
  }
  EXPECT_THROW(score.Line(p, 0, 1, "16:D-4"), std::out_of_range);
  EXPECT_THROW(score.Line(p, 3, 1, "0:D-4"), std::out_of_range);
}

TEST(Score, EchoRepeatsSofterAndPannedThreeRowsLater) {
  // Guards against an echo that copies key-offs, keeps full volume or
  // runs past the pattern.
  xm::Module module;
  module.channels = 2;
  Score score(module);
  int p = score.AddPattern(8);
  score.Line(p, 0, 3, "0:A-4@40 2:== 4:C-5@21!047 5:..!047 6:D-5@30");
  Echo(score, p, 0, 1);
  const xm::Pattern& pattern = module.patterns[p];
  EXPECT_EQ(pattern.At(3, 1).note, ParseNote("A-4"));
  EXPECT_EQ(pattern.At(3, 1).volume, 0x10 + 20);
  EXPECT_EQ(pattern.At(3, 1).effect, xm::kSetPanning);
  EXPECT_TRUE(pattern.At(5, 1).Empty());
  EXPECT_EQ(pattern.At(7, 1).volume, 0x10 + 10);
  EXPECT_EQ(pattern.At(7, 1).parameter, 0x47);
  EXPECT_TRUE(pattern.At(0, 1).Empty());
}

TEST(Tuning, SynthesisedSamplesPlayInTuneOnEveryNote) {
  // Guards against instruments a few semitones off: a sample made at
  // TunedRate(k) with the pitch of `base` must play note n at the rate
  // 8363 × 2^((n - C-4 + relative note) / 12) × f(n) / f(base).
  EXPECT_NEAR(NoteFrequency(NoteOf(4, 9)), 440.0, 1e-9);
  EXPECT_NEAR(NoteFrequency(kMiddleC), 261.6256, 1e-3);
  for (int steps : {0, 12, 24}) {
    for (int base : {NoteOf(2, 0), NoteOf(4, 0), NoteOf(5, 0)}) {
      int relative = RelativeNote(steps, base);
      for (int note : {NoteOf(1, 7), NoteOf(4, 9), NoteOf(6, 2)}) {
        double rate = 8363.0 * std::pow(2.0, (note - kMiddleC + relative) / 12.0);
        double pitch = NoteFrequency(base) * rate / TunedRate(steps);
        EXPECT_NEAR(pitch / NoteFrequency(note), 1.0, 1e-12);
      }
    }
  }
}

TEST(Looped, TheLoopRunsOnIntoItsStartAfterAFadedLeadIn) {
  // Guards against clicks at every loop of a sustained instrument: each
  // partial must complete whole cycles within the loop.
  synth::RandomSource random(5);
  auto partials = WobblingHarmonics(261.63, 6, [](int h) { return 1.0 / h; }, random);
  const size_t leadIn = 500, loop = 4096;
  std::vector<double> sound = LoopedPartials(16726, leadIn, loop, partials);
  ASSERT_EQ(sound.size(), leadIn + loop);
  EXPECT_EQ(sound[0], 0.0);
  double largestStep = 0;
  for (size_t i = leadIn + 1; i < sound.size(); ++i) largestStep = std::max(largestStep, std::fabs(sound[i] - sound[i - 1]));
  // Continuing after the last sample means going back to the loop start.
  EXPECT_LE(std::fabs(sound[leadIn] - sound.back()), largestStep);
  // The lead-in is the loop's end, faded in: its last sample (faded by less
  // than 1e-4) is the loop's last sample.
  EXPECT_NEAR(sound[leadIn - 1], sound.back(), 1e-3);
}

}  // namespace
