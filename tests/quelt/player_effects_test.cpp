// Tests of the internal effects, tick by tick: what each does to period,
// volume, panning and the voice, and the memories they keep.
#include "player/ModulePlayerPeriods.h"
#include "player_fixture.h"

using namespace player_test;
using quelt::AmigaPeriod;

namespace {

using Values = std::vector<int>;

struct PlayerEffects : PlayerFixture {
  // Channel 0 plays note 49 (period 1712) at the given volume on row 0 with
  // the effect; further rows may follow.
  void NoteWith(uint8_t effect, uint8_t parameter, uint8_t volume = 32,
                std::initializer_list<CellAt> more = {}) {
    module.patterns.push_back(MakePattern(8, more));
    PatternGrid grid(8);
    PackedPattern& pattern = module.patterns.back();
    grid.At(0, 0) = Cell(49, 1, volume, effect, parameter);
    for (const CellAt& at : more) grid.At(at.row, at.channel) = at.cell;
    PackPattern(pattern, grid);
    module.orders = {0};
    ASSERT_TRUE(Start());
  }
  Values Volumes(int ticks) { return Trace(ticks, [](MixChannel& c) { return int(c.volume); }); }
  Values Periods(int ticks) { return Trace(ticks, [](MixChannel& c) { return int(c.period); }); }
  Values Pannings(int ticks) { return Trace(ticks, [](MixChannel& c) { return int(c.panning); }); }
};

// Guards against slides on the wrong ticks, fine slides on every tick, or a
// lost memory of the last parameter.
TEST_F(PlayerEffects, VolumeSlideAndItsMemory) {
  NoteWith(Effect::VolumeSlide, 0x20, 32,
           {{1, 0, Fx(Effect::VolumeSlide, 0)},
            {2, 0, Fx(Effect::VolumeSlide, 0x03)},
            {3, 0, Fx(Effect::VolumeSlide, 0x2F)},
            {4, 0, Fx(Effect::VolumeSlide, 0xF3)}});
  EXPECT_EQ(Volumes(6), (Values{32, 34, 36, 38, 40, 42}));
  EXPECT_EQ(Volumes(6), (Values{42, 44, 46, 48, 50, 52}));  // zero reuses 0x20
  EXPECT_EQ(Volumes(6), (Values{52, 49, 46, 43, 40, 37}));
  EXPECT_EQ(Volumes(6), (Values{39, 39, 39, 39, 39, 39}));
  EXPECT_EQ(Volumes(6), (Values{36, 36, 36, 36, 36, 36}));
}

// Guards against a volume leaving 0..64 or wrapping in its byte.
TEST_F(PlayerEffects, VolumeStaysWithinRange) {
  NoteWith(Effect::VolumeSlide, 0xF0, 60,
           {{1, 0, Fx(Effect::VolumeSlide, 0x0F)},
            {2, 0, Fx(Effect::VolumeSlide, 0x0F)},
            {3, 0, Fx(Effect::VolumeSlide, 0x0F)}});
  EXPECT_EQ(Volumes(6), (Values{60, 64, 64, 64, 64, 64}));
  EXPECT_EQ(Volumes(12).back(), 0);
}

// Guards against porta down and up ignoring their fine forms or the memory they
// share with the volume slide.
TEST_F(PlayerEffects, PortaDownUpFineAndSharedMemory) {
  NoteWith(Effect::PortaDown, 0x02, 32,
           {{1, 0, Fx(Effect::PortaUp, 0xE3)},
            {2, 0, Fx(Effect::PortaUp, 0xF3)},
            {3, 0, Fx(Effect::VolumeSlide, 0x01)},
            {4, 0, Fx(Effect::PortaUp, 0)}});
  EXPECT_EQ(Periods(6), (Values{1712, 1720, 1728, 1736, 1744, 1752}));
  EXPECT_EQ(Periods(6), (Values{1749, 1749, 1749, 1749, 1749, 1749}));
  EXPECT_EQ(Periods(6), (Values{1737, 1737, 1737, 1737, 1737, 1737}));
  Ticks(6);
  EXPECT_EQ(Periods(2), (Values{1737, 1733}));  // the volume slide's 0x01
}

// Guards against a period leaving 40..40000 or wrapping below zero.
TEST_F(PlayerEffects, PortaStopsAtThePeriodLimits) {
  NoteWith(Effect::PlainPortaUp, 0xFF, 32,
           {{1, 0, Fx(Effect::PlainPortaDown, 0xFF)}, {1, 1, Fx(Effect::SetSpeed, 60)}});
  EXPECT_EQ(Periods(6), (Values{1712, 692, 40, 40, 40, 40}));
  Ticks(59);
  EXPECT_EQ(Channel().period, 40000);
}

// Guards against a tone porta retriggering the note or overshooting it.
TEST_F(PlayerEffects, TonePortaGlidesToTheNote) {
  NoteWith(E, E, 32, {{1, 0, Cell(61, E, E, Effect::TonePorta, 0x20)}, {2, 0, Fx(Effect::TonePorta, 0)}});
  Ticks(6);
  EXPECT_EQ(Periods(6), (Values{1584, 1456, 1328, 1200, 1072, 944}));
  EXPECT_EQ(Channel().targetPeriod, 856);
  EXPECT_EQ(Channel().note, 61);
  EXPECT_TRUE(Channel().active);
  EXPECT_EQ(Periods(2), (Values{856, 856}));
}

// Guards against vibrato swinging around the wrong centre, moving on tick 0,
// or using the wrong waveform after S3x.
TEST_F(PlayerEffects, VibratoSwingsAroundTheTarget) {
  NoteWith(Effect::Vibrato, 0x48, 32, {{1, 0, Fx(Effect::Special, 0x32)}, {2, 0, Fx(Effect::Vibrato, 0)}});
  EXPECT_EQ(Periods(6), (Values{1712, 1712, 1712 + 24, 1712 + 45, 1712 + 59, 1712 + 63}));
  Ticks(6);  // position 20, square waveform from now on
  EXPECT_EQ(Periods(5), (Values{1712 + 63, 1712 + 63, 1712 + 63, 1712 + 63, 1712 - 63}));
}

// Guards against fine vibrato using the normal depth.
TEST_F(PlayerEffects, FineVibratoIsFourTimesSmaller) {
  NoteWith(Effect::FineVibrato, 0x48, 32);
  EXPECT_EQ(Periods(6), (Values{1712, 1712, 1712 + 6, 1712 + 11, 1712 + 14, 1712 + 15}));
}

// Guards against the tremor cycle having the wrong on and off lengths.
TEST_F(PlayerEffects, TremorCutsTheVoiceInItsCycle) {
  NoteWith(Effect::Tremor, 0x21, 32, {{1, 0, Fx(Effect::Tremor, 0)}});
  auto actives = Trace(12, [](MixChannel& c) { return int(c.active.load()); });
  // A zero parameter keeps the cycle running across the row start.
  EXPECT_EQ(actives, (Values{1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(Channel().tremorParameter, 0x21);
}

// Guards against arpeggio playing its notes in the wrong order.
TEST_F(PlayerEffects, ArpeggioCyclesThreeNotes) {
  NoteWith(Effect::Arpeggio, 0x37, 32);
  const int base = AmigaPeriod(49, 0, 0), third = AmigaPeriod(52, 0, 0), fifth = AmigaPeriod(56, 0, 0);
  EXPECT_EQ(Periods(6), (Values{base, third, fifth, base, third, fifth}));
}

// Guards against the combined effects sliding the wrong way or losing the
// vibrato and tone-porta settings they reuse.
TEST_F(PlayerEffects, CombinedSlides) {
  NoteWith(Effect::Vibrato, 0x48, 40,
           {{1, 0, Fx(Effect::VibratoVolumeSlide, 0x03)},
            {2, 0, Cell(61, E, E, Effect::TonePorta, 0x40)},
            {3, 0, Fx(Effect::TonePortaVolumeSlide, 0x20)}});
  Ticks(6);  // vibrato position 20
  EXPECT_EQ(Volumes(6), (Values{40, 37, 34, 31, 28, 25}));
  EXPECT_EQ(Channel().period, 1712 - 24);  // position 36 with the stored speed and depth
  Ticks(6);
  const int before = Channel().period;
  auto periods = Periods(6);
  EXPECT_EQ(periods[0], std::max(before - 256, 856));
  EXPECT_EQ(periods[5], 856);
  EXPECT_EQ(Channel().volume, 35);
}

// Guards against the sample offset ignoring its memory.
TEST_F(PlayerEffects, SampleOffsetAndMemory) {
  NoteWith(Effect::SampleOffset, 0x10, 32, {{1, 0, Cell(49, E, E, Effect::SampleOffset, 0)}});
  Tick();
  EXPECT_EQ(Channel().startOffset, 0x1000u);
  Ticks(6);
  EXPECT_EQ(Channel().startOffset, 0x1000u);
}

// Guards against panning slides wrapping or running on tick 0.
TEST_F(PlayerEffects, PanningSlideIsBounded) {
  NoteWith(Effect::PanningSlide, 0xF0, 32,
           {{1, 0, Fx(Effect::PanningSlide, 0x0F)}, {2, 0, Fx(Effect::SetPanning, 200)}});
  EXPECT_EQ(Pannings(6), (Values{0, 15, 30, 45, 60, 75}));
  EXPECT_EQ(Pannings(6), (Values{75, 60, 45, 30, 15, 0}));
  EXPECT_EQ(Pannings(2), (Values{200, 200}));
}

// Guards against retrigger firing on tick 0, dividing by a zero interval, or
// changing the volume by the wrong amount.
TEST_F(PlayerEffects, RetriggerAtItsInterval) {
  NoteWith(Effect::Retrigger, 0xA2, 32,
           {{1, 0, Fx(Effect::Retrigger, 0x60)}, {2, 0, Fx(Effect::Retrigger, 0x00)}});
  auto retriggers = [this] {
    Values starts;
    for (int tick = 0; tick < 6; ++tick) {
      PlayerTick(state);
      starts.push_back(Channel().startRequest);
      Channel().startRequest = 0;
    }
    return starts;
  };
  EXPECT_EQ(retriggers(), (Values{1, 0, 1, 0, 1, 0}));  // the note, then ticks 2 and 4
  EXPECT_EQ(Channel().volume, 40);
  EXPECT_EQ(retriggers(), (Values{0, 0, 1, 0, 1, 0}));  // the interval is remembered
  EXPECT_EQ(Channel().volume, 40 * 2 / 3 * 2 / 3);
  Channel().retriggerMemory = 0;
  EXPECT_EQ(retriggers(), (Values{0, 0, 0, 0, 0, 0}));
}

// Guards against tremolo keeping its change after it ends.
TEST_F(PlayerEffects, TremoloRestoresTheVolume) {
  NoteWith(Effect::Tremolo, 0x48, 32);
  EXPECT_EQ(Volumes(6), (Values{32, 32, 44, 54, 61, 63}));
  EXPECT_EQ(Volumes(1), (Values{32}));
}

// Guards against S8x, SCx and SDx acting on the wrong tick.
TEST_F(PlayerEffects, SpecialPanningCutAndDelay) {
  NoteWith(Effect::Special, 0x8C, 32,
           {{1, 0, Fx(Effect::Special, 0xC2)}, {2, 0, Cell(49, 1, E, Effect::Special, 0xD3)}});
  EXPECT_EQ(Pannings(1), (Values{192}));
  Ticks(5);
  auto actives = Trace(6, [](MixChannel& c) { return int(c.active.load()); });
  EXPECT_EQ(actives, (Values{1, 1, 0, 0, 0, 0}));
  actives = Trace(6, [](MixChannel& c) { return int(c.active.load()); });
  EXPECT_EQ(actives, (Values{0, 0, 0, 1, 1, 1}));  // starts on the fourth tick
}

// Guards against the global volume effects leaving 0..64.
TEST_F(PlayerEffects, GlobalVolume) {
  NoteWith(Effect::SetGlobalVolume, 40, 32,
           {{1, 0, Fx(Effect::GlobalVolumeSlide, 0xF0)},
            {2, 0, Fx(Effect::GlobalVolumeSlide, 0x0F)},
            {3, 0, Fx(Effect::GlobalVolumeSlide, 0x0F)},
            {4, 0, Fx(Effect::SetGlobalVolume, 99)}});
  Ticks(6);
  EXPECT_EQ(state.globalVolume, 40);
  Ticks(6);
  EXPECT_EQ(state.globalVolume, 55);
  Ticks(6 * 2);
  EXPECT_EQ(state.globalVolume, 25);
  Ticks(1);
  EXPECT_EQ(state.globalVolume, 64);
}

// Guards against set volume, the MOD/XM porta and set panning acting on the
// wrong ticks.
TEST_F(PlayerEffects, SetVolumePortaAndPanning) {
  NoteWith(Effect::SetVolume, 20, 32,
           {{1, 0, Fx(Effect::PlainPortaUp, 2)},
            {2, 0, Fx(Effect::PlainPortaDown, 3)},
            {3, 0, Fx(Effect::SetPanning, 77)}});
  EXPECT_EQ(Volumes(1), (Values{20}));
  Ticks(5);
  EXPECT_EQ(Periods(6), (Values{1712, 1704, 1696, 1688, 1680, 1672}));
  EXPECT_EQ(Periods(6), (Values{1672, 1684, 1696, 1708, 1720, 1732}));
  EXPECT_EQ(Pannings(1), (Values{77}));
}

// Guards against unknown effects doing anything, and the jump effects
// running again on later ticks.
TEST_F(PlayerEffects, UnknownEffectsDoNothing) {
  NoteWith(13, 0x55, 32, {{1, 0, Fx(Effect::Unhandled, 0x12)}, {2, 0, Fx(255, 0x34)}});
  auto periods = Periods(18);
  for (int period : periods) EXPECT_EQ(period, 1712);
  EXPECT_EQ(Channel().volume, 32);
}

struct PlayerVolumeColumn : PlayerEffects {};

// Guards against the volume-column slides acting on the wrong ticks.
TEST_F(PlayerVolumeColumn, Slides) {
  NoteWith(E, E, 32, {{1, 0, Fx(E, E, 0x52)}, {2, 0, Fx(E, E, 0x63)}, {3, 0, Fx(E, E, 0x74)},
                      {4, 0, Fx(E, E, 0x85)}});
  Ticks(6);
  EXPECT_EQ(Volumes(6), (Values{32, 30, 28, 26, 24, 22}));
  EXPECT_EQ(Volumes(6), (Values{22, 25, 28, 31, 34, 37}));
  EXPECT_EQ(Volumes(6), (Values{33, 33, 33, 33, 33, 33}));
  EXPECT_EQ(Volumes(6), (Values{38, 38, 38, 38, 38, 38}));
}

// Guards against the volume-column vibrato, panning and tone porta.
TEST_F(PlayerVolumeColumn, VibratoPanningAndTonePorta) {
  NoteWith(E, E, 32,
           {{1, 0, Fx(E, E, 0x94)},
            {2, 0, Fx(E, E, 0xA8)},
            {3, 0, Fx(E, E, 0xB3)},
            {4, 0, Fx(E, E, 0xC2)},
            {5, 0, Fx(E, E, 0xD1)},
            {6, 0, Cell(61, E, 0xE0, Effect::TonePorta, 0x10)}});
  Ticks(6);
  Ticks(6);
  EXPECT_EQ(Channel().vibratoSpeed, 4);
  EXPECT_EQ(Periods(6), (Values{1712, 1712, 1736, 1757, 1771, 1775}));
  EXPECT_EQ(Pannings(6), (Values{48, 48, 48, 48, 48, 48}));
  EXPECT_EQ(Pannings(6), (Values{48, 46, 44, 42, 40, 38}));
  EXPECT_EQ(Pannings(6), (Values{38, 39, 40, 41, 42, 43}));
  // The column glides first (already at the note's period on the note's
  // tick), then the effect brings back the old period and glides: on later
  // ticks both glide, 128 in all.
  EXPECT_EQ(Periods(2), (Values{1775 - 64, 1775 - 64 - 128}));
}

}  // namespace
