// Tests of the note step (instruments, keymaps, key off), the envelopes and
// fadeout as the player runs them, and the frequency each period system gives.
#include <cmath>

#include "player/ModulePlayerPeriods.h"
#include "player_fixture.h"

using namespace player_test;

namespace {

using Values = std::vector<int>;

struct PlayerNotes : PlayerFixture {
  PlayerNotes() {
    SampleSlot panned = MakeSample(SampleFlag::OwnPanning, 0, 40);
    panned.panning = 200;
    module.samples.push_back(panned);        // sample 1
    module.instruments.push_back(MakeInstrument(1));  // instrument 2
  }
};

// Guards against an instrument not resetting volume and panning from its
// sample, or using the sample's panning without its flag.
TEST_F(PlayerNotes, InstrumentTakesItsSampleDefaults) {
  Song(4, {{0, 0, Cell(49, 1)}, {0, 1, Cell(49, 2)}, {1, 0, Cell(49, 2, 10)}});
  ASSERT_TRUE(Start());
  Tick();
  EXPECT_EQ(Channel(0).volume, 64);
  EXPECT_EQ(Channel(0).panning, 0);  // the channel's default panning
  EXPECT_EQ(Channel(1).volume, 40);
  EXPECT_EQ(Channel(1).panning, 200);
  EXPECT_TRUE(Channel(1).active);
  Ticks(6);
  EXPECT_EQ(Channel(0).volume, 10);  // the volume column wins over the default
  EXPECT_EQ(Channel(0).sampleIndex, 1);
}

// Guards against out-of-range instruments, missing instruments and keymap
// entries that name no sample being played (or read out of bounds).
TEST_F(PlayerNotes, BadReferencesSilenceTheChannel) {
  module.instruments[1].keymap[48] = kKeymapNoSample;
  Song(4, {{0, 0, Cell(49, 9)}, {0, 1, Cell(49)}, {0, 2, Cell(49, 2)}, {0, 3, Cell(50, 2)}});
  Start();
  Tick();
  EXPECT_EQ(Channel(0).instrumentIndex, kNoInstrument);
  EXPECT_FALSE(Channel(0).active);
  EXPECT_FALSE(Channel(1).active);
  EXPECT_EQ(Channel(2).sampleIndex, kNoSample);
  EXPECT_FALSE(Channel(2).active);
  EXPECT_TRUE(Channel(3).active);
}

// Guards against notes above the keymap (S3M reaches 119) reading past it.
TEST_F(PlayerNotes, HighNotesUseTheLastKeymapEntry) {
  module.instruments[1].keymap[95] = 0;
  Song(4, {{0, 0, Cell(100, 2)}});
  Start();
  Tick();
  EXPECT_TRUE(Channel().active);
  EXPECT_EQ(Channel().sampleIndex, 0);
  EXPECT_EQ(Channel().period, quelt::AmigaPeriod(100, 0, 0));
}

// Guards against an instrument without a note losing the playing sample.
TEST_F(PlayerNotes, InstrumentWithoutNoteKeepsTheSample) {
  Song(4, {{0, 0, Cell(49, 2, 5)}, {1, 0, Cell(E, 2)}});
  Start();
  Ticks(6);
  EXPECT_EQ(Channel().volume, 5);
  Tick();
  EXPECT_EQ(Channel().sampleIndex, 1);
  EXPECT_EQ(Channel().volume, 40);
  EXPECT_TRUE(Channel().active);
}

// Guards against key off cutting a voice that fades, or leaving one that
// nothing would ever end.
TEST_F(PlayerNotes, KeyOffFadesOrStops) {
  module.instruments[1].fadeout = 4000;
  Song(4, {{0, 0, Cell(49, 1)}, {0, 1, Cell(49, 2)}, {1, 0, Cell(97)}, {1, 1, Cell(254)}});
  Start();
  Ticks(6);
  Tick();
  EXPECT_FALSE(Channel(0).active);
  EXPECT_FALSE(Channel(0).keyOn);
  EXPECT_TRUE(Channel(1).active);
  std::vector<int> fades = {Channel(1).fadeVolume};
  for (int i = 0; i < 17; ++i) {
    Tick();
    fades.push_back(Channel(1).fadeVolume);
  }
  EXPECT_EQ(fades[0], 65535 - 4000);
  EXPECT_EQ(fades[1], 65535 - 8000);
  EXPECT_EQ(fades.back(), 0);  // floored, not wrapped
}

// Guards against the key-off effect and its stop rule.
TEST_F(PlayerNotes, KeyOffEffect) {
  module.instruments[0].volumeEnvelope = MakeEnvelope({0, 64, 10, 0}, EnvelopeFlag::On);
  Song(4, {{0, 0, Cell(49, 1, E, Effect::KeyOff, 0)}, {0, 1, Cell(49, 2, E, Effect::KeyOff, 0)}});
  Start();
  Ticks(2);  // the key goes down with the note's start, and up again
  EXPECT_TRUE(Channel(0).active);  // the volume envelope carries it
  EXPECT_FALSE(Channel(0).keyOn);
  EXPECT_FALSE(Channel(1).active);
}

// Guards against the volume envelope not running, not holding its sustain
// point until key off, or not restarting with a new note.
TEST_F(PlayerNotes, VolumeEnvelopeWithSustain) {
  module.instruments[0].volumeEnvelope =
      MakeEnvelope({0, 0, 4, 64, 8, 0}, EnvelopeFlag::On | EnvelopeFlag::Sustain, 1);
  Song(4, {{0, 0, Cell(49, 1)}, {2, 0, Cell(97)}, {3, 0, Cell(49)}});
  Start();
  auto values = Trace(12, [](MixChannel& c) { return int(c.envelopeVolume); });
  EXPECT_EQ(values, (Values{0, 16, 32, 48, 64, 64, 64, 64, 64, 64, 64, 64}));
  EXPECT_TRUE(Channel().envelopeFlags & kEnvelopeVolumeRunning);
  EXPECT_FALSE(Channel().envelopeFlags & kEnvelopePanningRunning);
  values = Trace(6, [](MixChannel& c) { return int(c.envelopeVolume); });
  EXPECT_EQ(values, (Values{48, 32, 16, 0, 0, 0}));
  values = Trace(2, [](MixChannel& c) { return int(c.envelopeVolume); });
  EXPECT_EQ(values, (Values{0, 16}));
}

// Guards against the panning envelope and the set-envelope-position effect.
TEST_F(PlayerNotes, PanningEnvelopeAndPosition) {
  module.instruments[0].panningEnvelope = MakeEnvelope({0, 32, 10, 64, 20, 0}, EnvelopeFlag::On);
  module.instruments[0].volumeEnvelope = MakeEnvelope({0, 64, 20, 0}, EnvelopeFlag::On);
  Song(4, {{0, 0, Cell(49, 1)}, {1, 0, Fx(Effect::SetEnvelopePosition, 15)}});
  Start();
  auto values = Trace(6, [](MixChannel& c) { return int(c.envelopePanning); });
  EXPECT_EQ(values, (Values{32, 35, 38, 41, 44, 48}));
  EXPECT_TRUE(Channel().envelopeFlags & kEnvelopePanningRunning);
  Tick();  // both envelopes jump to tick 15
  EXPECT_EQ(Channel().envelopePanning, 32);
  EXPECT_EQ(Channel().envelopeVolume, 16);
  Tick();
  EXPECT_EQ(Channel().envelopePanning, 25);
}

// Guards against a looping envelope not going back to its loop start.
TEST_F(PlayerNotes, EnvelopeLoop) {
  module.instruments[0].volumeEnvelope =
      MakeEnvelope({0, 0, 2, 64, 4, 0}, EnvelopeFlag::On | EnvelopeFlag::Loop, 0, 0, 2);
  Song(4, {{0, 0, Cell(49, 1)}});
  Start();
  auto values = Trace(10, [](MixChannel& c) { return int(c.envelopeVolume); });
  EXPECT_EQ(values, (Values{0, 32, 64, 32, 0, 0, 32, 64, 32, 0}));
}

// Guards against a frequency from the wrong period system.
TEST_F(PlayerNotes, FrequencyFollowsThePeriodSystem) {
  module.samples[0] = MakeSample(SampleFlag::C2Rate, 22050);
  module.samples[1] = MakeSample(SampleFlag::Linear);
  module.samples[1].relativeNote = 12;
  Song(4, {{0, 0, Cell(49, 1)}, {0, 1, Cell(49, 2)}});
  Start();
  Tick();
  const uint32_t c2Period = quelt::C2RatePeriod(49, 22050);
  EXPECT_EQ(Channel(0).period, c2Period);
  EXPECT_EQ(Channel(0).frequency, 14317056u / c2Period);
  EXPECT_EQ(Channel(1).period, 7680 - 64 * 60);
  EXPECT_EQ(Channel(1).frequency, static_cast<uint32_t>(8363 * std::exp2((4608.0 - 3840) / 768)));
  EXPECT_EQ(Channel(1).frequency, 8363u * 2);
}

// Guards against a C2 rate so low that the note's period would not fit the
// period field (and wrap to a high pitch).
TEST_F(PlayerNotes, HugePeriodsSaturate) {
  module.samples[0] = MakeSample(SampleFlag::C2Rate, 100);
  Song(4, {{0, 0, Cell(1, 1)}});
  Start();
  Tick();
  EXPECT_EQ(Channel().period, 40000);
}

}  // namespace
