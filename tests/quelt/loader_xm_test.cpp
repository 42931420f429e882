// The XM loader, on small modules written by the builders.
#include <gtest/gtest.h>

#include "loaders/CmoduleXM.h"
#include "model/Cmodule.h"
#include "loader_support.h"
#include "module_builders.h"

using builders::XmCell;
using builders::XmInstrument;
using builders::XmModule;
using builders::XmPattern;
using builders::XmPatternData;
using builders::XmSample;

namespace {

XmModule OnePatternModule(const std::vector<XmCell>& cells, uint16_t channels = 4) {
  XmModule xm;
  xm.channels = channels;
  xm.patterns.push_back(XmPattern{64, XmPatternData(64, channels, cells)});
  return xm;
}

XmInstrument InstrumentWith(std::vector<XmSample> samples) {
  XmInstrument instrument;
  instrument.name = "lead";
  instrument.samples = std::move(samples);
  return instrument;
}

}  // namespace

TEST(XmLoader, HeaderFieldsBecomeTheModuleRecord) {
  // Guards against header fields read from the wrong offsets.
  XmModule xm = OnePatternModule({});
  xm.name = "twenty characters!!!";
  xm.orders = {0, 0, 0};
  xm.restart = 1;
  xm.speed = 3;
  xm.tempo = 140;
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  EXPECT_STREQ(module.name, "twenty characters!!!");
  EXPECT_EQ(module.format, ModuleFormat::XM);
  EXPECT_EQ(module.songLength, 3);
  EXPECT_EQ(module.orders.size(), 3u);
  EXPECT_EQ(module.restartPosition, 1);
  EXPECT_EQ(module.channelCount, 4);
  EXPECT_EQ(module.speed, 3);
  EXPECT_EQ(module.tempo, 140);
  EXPECT_EQ(module.globalVolume, 64);
  EXPECT_EQ(module.flags, ModuleFlag::LinearFrequency);
  EXPECT_EQ(module.patternCount, 1);
  EXPECT_TRUE(module.loaded);
}

TEST(XmLoader, VolumeColumnIsShiftedIntoVolumesAndCommands) {
  // Guards against the volume column's 0x10 offset being lost: 0x10 is
  // volume 0, 0x40 volume 48, 0x60 the first column command 0x50.
  ModuleSlot module;
  ASSERT_TRUE(Load(module, OnePatternModule({{0, 0, 49, 1, 0x10},
                                             {0, 1, 49, 1, 0x40},
                                             {0, 2, 49, 1, 0x60},
                                             {0, 3, 49, 1, 0x50}})
                               .Build()));
  EXPECT_EQ(CellAt(module, 0, 0, 0).volume, 0);
  EXPECT_EQ(CellAt(module, 0, 0, 1).volume, 48);
  EXPECT_EQ(CellAt(module, 0, 0, 2).volume, 0x50);
  EXPECT_EQ(CellAt(module, 0, 0, 3).volume, 64);
}

TEST(XmLoader, AZeroVolumeByteMeansNoVolume) {
  // Guards against every unpacked cell (which always carries a volume byte)
  // silencing its channel with volume 0.
  ModuleSlot module;
  ASSERT_TRUE(Load(module, OnePatternModule({{0, 0, 49, 1, 0, 12, 0x20, true}}).Build()));
  const PatternCell cell = CellAt(module, 0, 0, 0);
  EXPECT_EQ(cell.note, 49);
  EXPECT_EQ(cell.instrument, 1);
  EXPECT_EQ(cell.volume, kCellEmpty);
  EXPECT_EQ(cell.effect, Effect::SetVolume);  // set volume
  EXPECT_EQ(cell.parameter, 0x20);
}

TEST(XmLoader, EffectsAreTranslatedIntoInternalNumbers) {
  // Guards against wrong entries in the effect translation table.
  struct Case {
    uint8_t effect, parameter;
    uint8_t internal, internalParameter;
  };
  const Case cases[] = {
      {0x0, 0x37, Effect::Arpeggio, 0x37},
      {0x1, 0x05, Effect::PlainPortaUp, 0x05},
      {0x2, 0x05, Effect::PlainPortaDown, 0x05},
      {0x3, 0x10, Effect::TonePorta, 0x10},
      {0x4, 0x44, Effect::Vibrato, 0x44},
      {0x5, 0x02, Effect::TonePortaVolumeSlide, 0x02},
      {0x6, 0x20, Effect::VibratoVolumeSlide, 0x20},
      {0x7, 0x33, Effect::Tremolo, 0x33},
      {0x8, 0x80, Effect::SetPanning, 0x80},
      {0x9, 0x10, Effect::SampleOffset, 0x10},
      {0xA, 0x0F, Effect::VolumeSlide, 0x0F},
      {0xB, 0x02, Effect::PositionJump, 0x02},
      {0xC, 0x40, Effect::SetVolume, 0x40},
      {0xD, 0x10, Effect::PatternBreak, 0x10},
      {0xE, 0x63, Effect::Special, 0xB3},
      {0xE, 0x92, Effect::Retrigger, 0x82},
      {0xE, 0xA3, Effect::VolumeSlide, 0x3F},
      {0xE, 0xB3, Effect::VolumeSlide, 0xF3},
      {0xE, 0xC2, Effect::Special, 0xC2},
      {0xE, 0xD1, Effect::Special, 0xD1},
      {0xE, 0xE4, Effect::Special, 0xE4},
      {0xF, 0x1F, Effect::SetSpeed, 0x1F},
      {0xF, 0x20, Effect::SetTempo, 0x20},
      {16, 0x30, Effect::SetGlobalVolume, 0x30},
      {17, 0x12, Effect::GlobalVolumeSlide, 0x12},
      {20, 0x00, Effect::KeyOff, 0x00},
      {21, 0x08, Effect::SetEnvelopePosition, 0x08},
      {25, 0x21, Effect::PanningSlide, 0x21},
      {27, 0x83, Effect::Retrigger, 0x83},
      {29, 0x12, Effect::Tremor, 0x12},
  };
  for (const Case& c : cases) {
    PatternCell cell;
    TranslateEffectXM(c.effect, c.parameter, cell);
    EXPECT_EQ(cell.effect, c.internal) << int(c.effect) << " " << int(c.parameter);
    EXPECT_EQ(cell.parameter, c.internalParameter) << int(c.effect) << " " << int(c.parameter);
  }
}

TEST(XmLoader, EffectsThePlayerDoesNotRunAreDropped) {
  // Guards against unplayable commands reaching the player as something
  // else: E1x (kept in MODs), E5x, 000, EA0/EB0 and unknown effects.
  const std::pair<uint8_t, uint8_t> dropped[] = {
      {0xE, 0x12}, {0xE, 0x05}, {0xE, 0x52}, {0xE, 0x71}, {0xE, 0x83}, {0xE, 0xF1},
      {0x0, 0x00}, {0xE, 0xA0}, {0xE, 0xB0}, {18, 0x11}, {33, 0x11}, {0xFF, 0x11},
  };
  for (const auto& [effect, parameter] : dropped) {
    PatternCell cell;
    TranslateEffectXM(effect, parameter, cell);
    EXPECT_EQ(cell.effect, kCellEmpty) << int(effect) << " " << int(parameter);
  }
}

TEST(XmLoader, FineVolumeDownBy15StaysADownSlide) {
  // Guards against EBF becoming 0xFF, which the volume slide reads as a
  // fine slide up by 15.
  PatternCell cell;
  TranslateEffectXM(0xE, 0xBF, cell);
  EXPECT_EQ(cell.effect, Effect::VolumeSlide);
  EXPECT_EQ(cell.parameter >> 4, 0xF);
  EXPECT_NE(cell.parameter & 0x0F, 0x0F);
}

TEST(XmLoader, AnArpeggioStoredWithoutItsEffectByteIsKept) {
  // Guards against losing arpeggios that a packed cell stores as a
  // parameter alone (effect 0 is not written).
  ModuleSlot module;
  ASSERT_TRUE(Load(module, OnePatternModule({{0, 0, 49, 1, 0, 0, 0x37}}).Build()));
  EXPECT_EQ(CellAt(module, 0, 0, 0).effect, Effect::Arpeggio);
  EXPECT_EQ(CellAt(module, 0, 0, 0).parameter, 0x37);
}

TEST(XmLoader, NotesKeyOffAndImpossibleNotes) {
  // Guards against note bytes above 97 reaching the player's keymap lookup.
  ModuleSlot module;
  ASSERT_TRUE(Load(module,
                   OnePatternModule({{0, 0, 96, 1}, {0, 1, 97}, {0, 2, 98, 1}, {0, 3, 127, 1}})
                       .Build()));
  EXPECT_EQ(CellAt(module, 0, 0, 0).note, 96);
  EXPECT_EQ(CellAt(module, 0, 0, 1).note, kNoteKeyOff);
  EXPECT_EQ(CellAt(module, 0, 0, 2).note, kCellEmpty);
  EXPECT_EQ(CellAt(module, 0, 0, 3).note, kCellEmpty);
}

TEST(XmLoader, APatternWithoutDataIsOneZeroBytePerRow) {
  // Guards against a packed size of 0 being read as data.
  XmModule xm;
  xm.patterns.push_back(XmPattern{64, {}});
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  EXPECT_EQ(module.patterns[0].data, std::vector<uint8_t>(64, 0));
  EXPECT_EQ(module.patterns[0].rowCount, 64u);
}

TEST(XmLoader, SamplesAreDeltaDecodedWithGuardSamples) {
  // Guards against the delta coding left in place, or missing guard samples
  // that interpolation reads behind the last sample.
  XmSample sample;
  sample.points = {0, 10, 20, -128, 127, 5};
  sample.volume = 40;
  sample.finetune = -16;
  sample.panning = 200;
  sample.relativeNote = -12;
  sample.name = "pluck";
  XmModule xm = OnePatternModule({});
  xm.instruments.push_back(InstrumentWith({sample}));
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  ASSERT_EQ(module.sampleCount, 1);
  const SampleSlot& loaded = module.samples[0];
  ASSERT_EQ(loaded.length, 6u);
  const int8_t* data = loaded.Data8();
  EXPECT_EQ(std::vector<int>(data, data + 8), (std::vector<int>{0, 10, 20, -128, 127, 5, 5, 5}));
  EXPECT_EQ(loaded.volume, 40);
  EXPECT_EQ(loaded.Finetune(), -16);
  EXPECT_EQ(loaded.panning, 200);
  EXPECT_EQ(loaded.relativeNote, -12);
  EXPECT_STREQ(loaded.name, "pluck");
  EXPECT_EQ(loaded.flags, SampleFlag::OwnPanning | SampleFlag::Linear);
}

TEST(XmLoader, SixteenBitSamplesCountInSamplesNotBytes) {
  // Guards against 16-bit lengths and loop points left in bytes: 2000 bytes
  // are 1000 samples, and the loop points are halved too.
  XmSample sample;
  sample.sixteenBit = true;
  for (int i = 0; i < 1000; ++i) sample.points.push_back(i * 30 - 15000);
  sample.loopType = 2;
  sample.loopStart = 100;
  sample.loopLength = 400;
  XmModule xm = OnePatternModule({});
  xm.flags = 0;
  xm.instruments.push_back(InstrumentWith({sample}));
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  const SampleSlot& loaded = module.samples[0];
  EXPECT_EQ(loaded.length, 1000u);
  EXPECT_EQ(loaded.loopStart, 100u);
  EXPECT_EQ(loaded.loopEnd, 500u);
  EXPECT_EQ(loaded.flags, SampleFlag::SixteenBit | SampleFlag::Loop | SampleFlag::PingPong |
                              SampleFlag::OwnPanning);
  EXPECT_EQ(loaded.Data16()[999], 999 * 30 - 15000);
  EXPECT_EQ(loaded.Data16()[1000], loaded.Data16()[999]);
  EXPECT_EQ(loaded.Data16()[1001], loaded.Data16()[999]);
}

TEST(XmLoader, LoopPointsAreLimitedToTheSample) {
  // Guards against loops reaching past the data the mixer may read.
  XmSample sample;
  sample.points.assign(100, 1);
  sample.loopType = 1;
  sample.loopStart = 80;
  sample.loopLength = 1000;
  XmSample beyond = sample;
  beyond.loopStart = 150;
  beyond.loopLength = 10;
  XmModule xm = OnePatternModule({});
  xm.instruments.push_back(InstrumentWith({sample, beyond}));
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  EXPECT_EQ(module.samples[0].loopStart, 80u);
  EXPECT_EQ(module.samples[0].loopEnd, 100u);
  EXPECT_TRUE(module.samples[0].flags & SampleFlag::Loop);
  EXPECT_FALSE(module.samples[1].flags & SampleFlag::Loop);  // empty loop
}

TEST(XmLoader, KeymapsNameGlobalSampleIndices) {
  // Guards against keymaps left relative to their instrument, and against
  // entries past an instrument's own samples borrowing the next one's.
  XmSample sample;
  sample.points = {1, 2, 3};
  XmInstrument first = InstrumentWith({sample, sample});
  first.keymap.fill(1);
  XmInstrument empty;  // no samples
  XmInstrument third = InstrumentWith({sample, sample, sample});
  for (int note = 0; note < 96; ++note) third.keymap[note] = static_cast<uint8_t>(note % 4);
  XmModule xm = OnePatternModule({});
  xm.instruments = {first, empty, third};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  ASSERT_EQ(module.instrumentCount, 3);
  ASSERT_EQ(module.sampleCount, 5);
  EXPECT_EQ(module.instruments[0].keymap[0], 1);
  EXPECT_EQ(module.instruments[0].sampleCount, 2);
  for (uint8_t entry : module.instruments[1].keymap) EXPECT_EQ(entry, kKeymapNoSample);
  EXPECT_EQ(module.instruments[2].keymap[0], 2);
  EXPECT_EQ(module.instruments[2].keymap[2], 4);
  EXPECT_EQ(module.instruments[2].keymap[3], kKeymapNoSample);  // instrument has 3 samples
}

TEST(XmLoader, EnvelopesAndInstrumentSettingsAreKept) {
  // Guards against envelope points or counters read from the wrong bytes,
  // and point indices beyond the points the player would index.
  XmSample sample;
  sample.points = {1};
  XmInstrument instrument = InstrumentWith({sample});
  instrument.volume.points = {{0, 64}, {10, 32}, {20, 0}};
  instrument.volume.sustain = 1;
  instrument.volume.loopStart = 0;
  instrument.volume.loopEnd = 9;  // past the last point
  instrument.volume.flags = 7;
  instrument.panning.points = {{0, 32}, {5, 64}};
  instrument.panning.count = 30;  // more than the 12 an XM stores
  instrument.panning.flags = 1;
  instrument.fadeout = 0x0400;
  instrument.vibratoType = 1;
  instrument.vibratoSweep = 2;
  instrument.vibratoDepth = 3;
  instrument.vibratoRate = 4;
  instrument.type = 5;
  XmModule xm = OnePatternModule({});
  xm.instruments.push_back(instrument);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  const Instrument& loaded = module.instruments[0];
  EXPECT_STREQ(loaded.name, "lead");
  EXPECT_EQ(loaded.type, 5);
  EXPECT_EQ(loaded.volumeEnvelope.count, 3);
  EXPECT_EQ(loaded.volumeEnvelope.points, (std::vector<uint16_t>{0, 64, 10, 32, 20, 0}));
  EXPECT_EQ(loaded.volumeEnvelope.sustain, 1);
  EXPECT_EQ(loaded.volumeEnvelope.loopEnd, 2);
  EXPECT_EQ(loaded.volumeEnvelope.flags, 7);
  EXPECT_EQ(loaded.panningEnvelope.count, 12);
  EXPECT_EQ(loaded.panningEnvelope.points.size(), 24u);
  EXPECT_EQ(loaded.fadeout, 0x0400);
  EXPECT_EQ(loaded.vibratoType, 1);
  EXPECT_EQ(loaded.vibratoSweep, 2);
  EXPECT_EQ(loaded.vibratoDepth, 3);
  EXPECT_EQ(loaded.vibratoRate, 4);
}

TEST(XmLoader, ShortInstrumentHeadersPlaceTheSampleHeadersByTheirSize) {
  // Guards against misreading modules whose instrument headers are shorter
  // than 263 bytes (243 is common): the sample headers start where the
  // header's size says.
  XmSample sample;
  sample.points = {5, 6, 7};
  XmInstrument instrument = InstrumentWith({sample});
  instrument.headerSize = 243;
  XmModule xm = OnePatternModule({});
  xm.instruments = {instrument, instrument};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  ASSERT_EQ(module.sampleCount, 2);
  EXPECT_EQ(module.samples[1].length, 3u);
  EXPECT_EQ(module.samples[1].Data8()[2], 7);
}

TEST(XmLoader, WideChannelCountsAreReadButThePlayerGets32) {
  // Guards against patterns wider than 64 channels overflowing the grid, and
  // channel counts above the player's 32 music channels.
  ModuleSlot module;
  XmModule xm = OnePatternModule({{0, 40, 49, 1}, {0, 70, 50, 1}, {1, 0, 51, 1}}, 72);
  ASSERT_TRUE(Load(module, xm.Build()));
  EXPECT_EQ(module.channelCount, kModuleChannels);
  EXPECT_EQ(CellAt(module, 0, 0, 40).note, 49);
  EXPECT_EQ(CellAt(module, 0, 1, 0).note, 51);  // channel 70 was read and dropped
}

TEST(XmLoader, HostileHeadersAreRefusedOrClamped) {
  // Guards against trusting counts and sizes from the file.
  XmSample sample;
  sample.points = {1, 2};
  {
    XmModule xm = OnePatternModule({});
    xm.songLength = 300;  // more than the order table holds
    xm.tempo = 0;         // would divide by zero in the tick length
    ModuleSlot module;
    ASSERT_TRUE(Load(module, xm.Build()));
    EXPECT_EQ(module.songLength, 256);
    EXPECT_EQ(module.orders.size(), 256u);
    EXPECT_EQ(module.tempo, kMinTempo);
  }
  const auto refused = [](const XmModule& xm) {
    ModuleSlot module;
    const bool loaded = Load(module, xm.Build());
    EXPECT_FALSE(module.loaded);
    EXPECT_TRUE(module.samples.empty());
    return !loaded;
  };
  XmModule headerTooBig = OnePatternModule({});
  headerTooBig.headerSize = 0x7FFFFFFF;
  EXPECT_TRUE(refused(headerTooBig));
  XmModule tooManyPatterns = OnePatternModule({});
  tooManyPatterns.patternCount = 300;
  EXPECT_TRUE(refused(tooManyPatterns));
  XmModule missingPatterns = OnePatternModule({});
  missingPatterns.patternCount = 5;
  EXPECT_TRUE(refused(missingPatterns));
  XmModule missingInstruments = OnePatternModule({});
  missingInstruments.instrumentCount = 200;
  EXPECT_TRUE(refused(missingInstruments));
  XmModule tooManyInstruments = OnePatternModule({});
  tooManyInstruments.instrumentCount = 1000;
  EXPECT_TRUE(refused(tooManyInstruments));
  XmModule tooLong = OnePatternModule({});
  tooLong.patterns[0].rows = 2000;
  EXPECT_TRUE(refused(tooLong));
  XmModule tooManySamples = OnePatternModule({});
  XmInstrument big = InstrumentWith(std::vector<XmSample>(200, sample));
  tooManySamples.instruments = {big, big};  // 400 samples in all
  EXPECT_TRUE(refused(tooManySamples));
}

TEST(XmLoader, TruncatedFilesAreRefusedUnlessOnlySampleDataIsMissing) {
  // Guards against reading past the end of a cut file, and against refusing
  // a module whose last sample lost a few bytes.
  XmSample sample;
  sample.points.assign(300, 9);
  XmModule xm = OnePatternModule({{0, 0, 49, 1, 0x40}});
  xm.instruments.push_back(InstrumentWith({sample}));
  const std::vector<uint8_t> whole = xm.Build();
  for (size_t cut = 0; cut + 300 < whole.size(); cut += 7) {
    ModuleSlot module;
    std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
    EXPECT_FALSE(Load(module, part)) << cut;
  }
  ModuleSlot module;
  std::vector<uint8_t> part(whole.begin(), whole.end() - 100);
  ASSERT_TRUE(Load(module, part));
  EXPECT_EQ(module.samples[0].length, 200u);
  EXPECT_EQ(module.samples[0].Data8()[201], 9);  // guard sample
}

TEST(XmLoader, PatternDataEndingEarlyLeavesTheRestEmpty) {
  // Guards against reading the next pattern's bytes as this one's cells.
  XmModule xm;
  std::vector<uint8_t> data = XmPatternData(2, 4, {{0, 0, 49, 1}});
  data.resize(3);  // only the first cell
  xm.patterns.push_back(XmPattern{64, data});
  xm.patterns.push_back(XmPattern{64, XmPatternData(64, 4, {{0, 0, 60, 2}})});
  ModuleSlot module;
  ASSERT_TRUE(Load(module, xm.Build()));
  EXPECT_EQ(CellAt(module, 0, 0, 0).note, 49);
  EXPECT_EQ(CellAt(module, 0, 1, 0).note, kCellEmpty);
  EXPECT_EQ(CellAt(module, 1, 0, 0).note, 60);
}
