// Cells with an instrument and no note under a held note (sample swapping,
// re-taking an instrument's volume), played through the real mixer: what is
// heard from that row on, and what an instrument without samples leaves.
#include <gtest/gtest.h>

#include "loader_support.h"
#include "mixer_fixture.h"
#include "module_builders.h"
#include "player/ModulePlayer.h"

namespace {

// 44100 Hz stereo 16-bit at 125 BPM: 882 frames a tick, six ticks a row.
constexpr uint32_t kTickBytes = 3528;
constexpr uint32_t kTickFrames = kTickBytes / 4;

struct Played {
  ModuleSlot module;
  TestMixer mixer;

  explicit Played(const std::vector<uint8_t>& bytes) {
    EXPECT_TRUE(Load(module, bytes));
    mixer.settings->interpolation = 0;
    EXPECT_TRUE(PlayerStart(*mixer.state, module));
  }
  MixChannel& Channel() { return mixer.state->musicChannels[0]; }
  // Renders one tick; returns its first left and right output samples.
  std::pair<int, int> Tick() {
    const std::vector<uint8_t> out = mixer.Render(kTickBytes);
    return {Word(out, 0), Word(out, 1)};
  }
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) Tick();
  }
};

builders::ModSample LoopedMod(int8_t value, uint8_t volume, size_t bytes = 20000) {
  builders::ModSample sample;
  sample.data.assign(bytes, value);
  sample.volume = volume;
  sample.loopLengthWords = static_cast<uint16_t>(bytes / 2);
  return sample;
}

builders::XmInstrument XmOf(int value, uint8_t volume, uint8_t panning) {
  builders::XmInstrument instrument;
  builders::XmSample sample;
  sample.points.assign(20000, value);
  sample.sixteenBit = true;
  sample.loopType = 1;
  sample.loopLength = 20000;
  sample.volume = volume;
  sample.panning = panning;
  instrument.samples.push_back(sample);
  return instrument;
}

// Guards against a MOD's instrument-only cell keeping the old sample at its
// old volume (the modulation of sample-swapping music disappears), restarting
// the voice instead of playing on, or an empty sample silencing the channel.
TEST(InstrumentWithoutNote, ModVoiceSwapsToTheNewSampleWhereItStands) {
  builders::ModModule mod;
  mod.samples = {LoopedMod(100, 64), LoopedMod(-50, 32), builders::ModSample()};
  mod.patterns[0] = {{0, 0, 428, 1}, {1, 0, 0, 2}, {2, 0, 0, 3}};
  Played song(mod.Build());
  const int heldLeft = song.Tick().first;
  EXPECT_GT(heldLeft, 0);
  song.Ticks(5);
  const int oldLeft = song.Tick().first;  // row 1, tick 0: the swap, then its mixing
  EXPECT_LT(oldLeft, 0);
  const uint32_t before = song.Channel().position;
  const int32_t step = song.Channel().step;
  EXPECT_EQ(song.Channel().data, song.module.samples[1].Data());
  EXPECT_EQ(song.Channel().volume, 32);
  EXPECT_EQ(before, 7 * kTickFrames * static_cast<uint32_t>(step));  // played on, not restarted
  const int left = song.Tick().first;
  EXPECT_EQ(left, oldLeft);
  EXPECT_NEAR(left, -heldLeft / 4.0, heldLeft * 0.01 + 2);  // half the data at half the volume
  EXPECT_EQ(song.Channel().position, before + kTickFrames * step);

  song.Ticks(4);  // row 2: instrument 3 has an empty sample
  EXPECT_EQ(song.Tick().first, left);
  EXPECT_EQ(song.Channel().data, song.module.samples[1].Data());
  EXPECT_EQ(song.Channel().instrumentIndex, 1);
  EXPECT_TRUE(song.Channel().active);
}

// Guards against an XM instrument-only cell not taking the new instrument's
// volume and panning from that row, swapping the playing sample (XM keeps
// it), or an instrument without samples changing the channel.
TEST(InstrumentWithoutNote, XmChannelTakesTheNewVolumeAndPanningButKeepsItsSample) {
  builders::XmModule xm;
  xm.instruments = {XmOf(1000, 64, 128), XmOf(-3000, 16, 255), builders::XmInstrument()};
  xm.patterns.push_back({8, builders::XmPatternData(8, 4, {{0, 0, 49, 1}, {1, 0, 0, 2}, {2, 0, 0, 3}})});
  Played song(xm.Build());
  const std::pair<int, int> first = song.Tick();
  EXPECT_GT(first.first, 0);
  EXPECT_NEAR(first.first, first.second, 2);  // centre
  song.Ticks(5);
  song.Tick();  // row 1
  EXPECT_EQ(song.Channel().volume, 16);
  EXPECT_EQ(song.Channel().panning, 255);
  EXPECT_EQ(song.Channel().instrumentIndex, 1);
  EXPECT_EQ(song.Channel().data, song.module.samples[0].Data());
  const std::pair<int, int> swapped = song.Tick();
  EXPECT_EQ(swapped.first, 0);  // hard right
  EXPECT_GT(swapped.second, 0);  // still the first sample's data
  EXPECT_NEAR(swapped.second, first.second * 255.0 / 512, first.second * 0.01 + 2);

  song.Ticks(5);  // row 2: instrument 3 has no samples
  EXPECT_EQ(song.Tick(), swapped);
  EXPECT_EQ(song.Channel().instrumentIndex, 1);
  EXPECT_EQ(song.Channel().volume, 16);
  EXPECT_EQ(song.Channel().panning, 255);
}

}  // namespace
