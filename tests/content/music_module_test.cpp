// Tests of the composed module "music.xm": what it is made of, that it
// loops without a seam, and that the build writes it the same every time.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

#include "support/program_directory.h"
#include "tools/music/composition.h"
#include "tools/music/instruments.h"
#include "tools/music/parts.h"
#include "tools/xmwriter/songlength.h"
#include "tools/xmwriter/xmwriter.h"

namespace {

using namespace xm;

class Dusk : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = new Module(music::ComposeDusk()); }
  static void TearDownTestSuite() { delete module_; }

  // Calls `visit(pattern index, row, channel, cell)` for every cell.
  template <typename Visit>
  static void ForEachCell(Visit visit) {
    for (size_t p = 0; p < module_->patterns.size(); ++p) {
      const Pattern& pattern = module_->patterns[p];
      for (int row = 0; row < pattern.Rows(); ++row) {
        for (int channel = 0; channel < pattern.Channels(); ++channel) visit(p, row, channel, pattern.At(row, channel));
      }
    }
  }
  static Module* module_;
};
Module* Dusk::module_ = nullptr;

TEST_F(Dusk, TheBuiltFileIsTheComposedModuleByteForByte) {
  // Guards against a build that is not reproducible.
  testing_support::InProgramDirectory programDirectory;
  std::ifstream in("music.xm", std::ios::binary);
  ASSERT_TRUE(in.good()) << "music.xm in " << TERVANE_GAME_DIR;
  std::vector<uint8_t> onDisk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(WriteModule(*module_), onDisk);
  EXPECT_EQ(WriteModule(music::ComposeDusk()), onDisk);
}

TEST_F(Dusk, PlaysAtLeastNinetySecondsOnEightOrMoreChannels) {
  // Guards against a piece too short or too thin for the game.
  SongTiming timing = MeasureSong(*module_);
  EXPECT_GE(timing.seconds, 90.0);
  EXPECT_GT(timing.restartSeconds, 0.0);
  EXPECT_LT(timing.restartSeconds, timing.seconds - 90.0);
  EXPECT_GE(module_->channels, 8);
  EXPECT_TRUE(module_->linearFrequencies);
}

TEST_F(Dusk, UsesTheRangeOfEffects) {
  // Guards against a module that leaves the player's effects untried.
  std::set<std::string> used;
  std::set<int> tempos;
  ForEachCell([&](size_t, int, int, const Cell& cell) {
    if (cell.effect == kArpeggio && cell.parameter) used.insert("arpeggio");
    if (cell.effect == kPortaUp) used.insert("portamento up");
    if (cell.effect == kPortaDown) used.insert("portamento down");
    if (cell.effect == kTonePorta) used.insert("tone portamento");
    if (cell.effect == kVibrato || cell.effect == kVibratoVolumeSlide) used.insert("vibrato");
    if (cell.effect == kVolumeSlide || cell.effect == kVibratoVolumeSlide) used.insert("volume slide");
    if (cell.volume >= 0x60 && cell.volume < 0xA0) used.insert("volume-column slide");
    if (cell.effect == kSetPanning) used.insert("panning");
    if (cell.volume >= 0xD0 && cell.volume < 0xF0) used.insert("panning slide");
    if (cell.effect == kPatternBreak) used.insert("pattern break");
    if (cell.effect == kSpeedTempo && cell.parameter < 32) used.insert("speed " + std::to_string(cell.parameter));
    if (cell.effect == kSpeedTempo && cell.parameter >= 32) tempos.insert(cell.parameter);
    if (cell.effect == kSetEnvelopePosition) used.insert("envelope position");
    if (cell.note == kKeyOff) used.insert("key off");
  });
  for (const char* effect : {"arpeggio", "portamento up", "portamento down", "tone portamento", "vibrato", "volume slide",
                             "volume-column slide", "panning", "panning slide", "pattern break", "speed 6",
                             "speed 8", "envelope position", "key off"}) {
    EXPECT_TRUE(used.count(effect)) << effect;
  }
  EXPECT_GE(tempos.size(), 3u);
}

TEST_F(Dusk, InstrumentsCoverSampleWidthsLoopsAndEnvelopes) {
  // Guards against a module that never exercises 8-bit data, ping-pong
  // loops, envelope sustain and loops, or fadeout.
  std::set<std::string> seen;
  for (const Instrument& instrument : module_->instruments) {
    ASSERT_EQ(instrument.samples.size(), 1u) << instrument.name;
    const Sample& sample = instrument.samples[0];
    seen.insert(sample.sixteenBit ? "16 bit" : "8 bit");
    if (sample.loop == Loop::Forward) seen.insert("forward loop");
    if (sample.loop == Loop::PingPong) seen.insert("ping-pong loop");
    if (instrument.volume.on && instrument.volume.sustain) seen.insert("sustain");
    if (instrument.volume.on && instrument.volume.loop) seen.insert("envelope loop");
    if (instrument.panning.on) seen.insert("panning envelope");
    if (instrument.fadeout) seen.insert("fadeout");
  }
  EXPECT_EQ(seen, (std::set<std::string>{"16 bit", "8 bit", "forward loop", "ping-pong loop", "sustain",
                                         "envelope loop", "panning envelope", "fadeout"}));
  EXPECT_EQ(module_->instruments.size(), 8u);
}

TEST_F(Dusk, SamplesStartSilentAndLoopWithoutAStep) {
  // Guards against clicks when a note starts (before its envelope applies)
  // and at every pass of a loop.
  for (const Instrument& instrument : module_->instruments) {
    const Sample& sample = instrument.samples[0];
    const double fullScale = sample.sixteenBit ? 32768.0 : 128.0;
    EXPECT_LE(std::abs(sample.data.front()) / fullScale, 0.02) << instrument.name;
    if (sample.loop != Loop::Forward) continue;
    const int16_t* loop = sample.data.data() + sample.loopStart;
    int largestStep = 0;
    for (uint32_t i = 1; i < sample.loopLength; ++i) largestStep = std::max(largestStep, std::abs(loop[i] - loop[i - 1]));
    EXPECT_LE(std::abs(loop[0] - loop[sample.loopLength - 1]), largestStep) << instrument.name;
  }
}

TEST_F(Dusk, TheWhistleTurnsAtTheCrestsOfItsWave) {
  // Guards against a ping-pong loop that reverses mid-slope (a buzz).
  const Sample& whistle = module_->instruments[music::kWhistle - 1].samples[0];
  ASSERT_EQ(whistle.loop, Loop::PingPong);
  int largestStep = 0;
  for (size_t i = whistle.loopStart + 1; i < whistle.loopStart + whistle.loopLength; ++i) {
    largestStep = std::max(largestStep, std::abs(whistle.data[i] - whistle.data[i - 1]));
  }
  for (size_t turn : {size_t{whistle.loopStart}, size_t{whistle.loopStart + whistle.loopLength}}) {
    ASSERT_LT(turn + 1, whistle.data.size());
    EXPECT_NEAR(whistle.data[turn - 1], whistle.data[turn + 1], 1) << turn;
    EXPECT_LT(std::abs(whistle.data[turn] - whistle.data[turn - 1]), largestStep / 8) << turn;
  }
}

TEST_F(Dusk, EveryPatternSetsItsPaceAndThePadsOnlyGlideAfterTheIntro) {
  // Guards against a loop that is heard: a tempo left over from the bridge,
  // or pads that strike again (a fresh attack) where the song goes back.
  const size_t intro = module_->orders[0];
  std::set<size_t> speeds, tempos;
  ForEachCell([&](size_t p, int row, int channel, const Cell& cell) {
    if (row == 0 && cell.effect == kSpeedTempo) (cell.parameter < 32 ? speeds : tempos).insert(p);
    bool pad = channel <= music::kPad3;
    if (pad && p != intro && cell.note != kNoNote) {
      EXPECT_EQ(cell.instrument, 0) << "pattern " << p << " row " << row;
      EXPECT_EQ(cell.effect, kTonePorta) << "pattern " << p << " row " << row;
    }
  });
  EXPECT_EQ(speeds.size(), module_->patterns.size());
  EXPECT_EQ(tempos.size(), module_->patterns.size());
}

}  // namespace
