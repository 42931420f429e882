// The MOD loader, on small modules written by the builders.
#include <gtest/gtest.h>

#include "loaders/CModMOD.h"
#include "model/Cmodule.h"
#include "loader_support.h"
#include "module_builders.h"

using builders::ModCell;
using builders::ModModule;
using builders::ModSample;

namespace {

ModSample Sample(size_t bytes, int8_t value) {
  ModSample sample;
  sample.data.assign(bytes, value);
  return sample;
}

}  // namespace

TEST(ModLoader, FixedSettingsAndTheHeader) {
  // Guards against missing fixed MOD settings (4 channels, LRRL panning,
  // speed 6, tempo 125) or header fields from the wrong offsets.
  ModModule mod;
  mod.name = "twenty char mod name";
  mod.songLength = 3;
  mod.orders[1] = 1;
  mod.patterns.resize(2);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  EXPECT_STREQ(module.name, "twenty char mod name");
  EXPECT_EQ(module.format, ModuleFormat::MOD);
  EXPECT_EQ(module.channelCount, 4);
  EXPECT_EQ(std::vector<int>(module.channelPanning, module.channelPanning + 4),
            (std::vector<int>{48, 192, 192, 48}));
  EXPECT_EQ(module.speed, 6);
  EXPECT_EQ(module.tempo, 125);
  EXPECT_EQ(module.globalVolume, 64);
  EXPECT_EQ(module.restartPosition, 0);
  EXPECT_EQ(module.instrumentCount, 31);
  EXPECT_EQ(module.sampleCount, 31);
  EXPECT_EQ(module.orders, (std::vector<uint8_t>{0, 1, 0}));
  EXPECT_EQ(module.patternCount, 2);
}

TEST(ModLoader, OtherIdsAndFifteenSampleModulesAreNotLoaded) {
  // Guards against reading six- or eight-channel modules, or old 15-sample
  // ones, as four-channel "M.K." modules.
  for (const char* id : {"6CHN", "8CHN", "FLT4", "M!K!", "\0\0\0\0"}) {
    ModModule mod;
    mod.id = std::string(id, 4);
    ModuleSlot module;
    EXPECT_FALSE(Load(module, mod.Build())) << id;
    EXPECT_FALSE(module.loaded);
  }
}

TEST(ModLoader, OnlyUsedOrderEntriesCountAsPatterns) {
  // Guards against counting patterns named by order entries past the song
  // length: song length 2 with orders 0, 5, 9 has 6 patterns.
  ModModule mod;
  mod.songLength = 2;
  mod.orders[0] = 0;
  mod.orders[1] = 5;
  mod.orders[2] = 9;
  mod.patterns.resize(6);
  mod.samples = {Sample(8, 3)};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  EXPECT_EQ(module.patternCount, 6);
  EXPECT_EQ(module.samples[0].length, 8u);
  EXPECT_EQ(module.samples[0].Data8()[7], 3);
}

TEST(ModLoader, PatternsStoredForUnusedOrdersAreSkippedBeforeTheSamples) {
  // Guards against reading pattern bytes as sample data when the file also
  // stores patterns that only unused order entries name.
  ModModule mod;
  mod.songLength = 2;
  mod.orders[0] = 0;
  mod.orders[1] = 5;
  mod.orders[2] = 9;
  mod.patterns.resize(10);
  mod.patterns[9].push_back(ModCell{0, 0, 428, 1});
  mod.samples = {Sample(8, 3)};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  EXPECT_EQ(module.patternCount, 6);
  EXPECT_EQ(module.samples[0].length, 8u);
  EXPECT_EQ(module.samples[0].Data8()[0], 3);
}

TEST(ModLoader, PeriodsBecomeNotesAndInstrumentsCombineTheirNibbles) {
  // Guards against the period table or the split instrument number being
  // wrong: period 428 with instrument 1 is note 49, instrument 1.
  EXPECT_EQ(NoteFromPeriodMOD(856), 37);
  EXPECT_EQ(NoteFromPeriodMOD(428), 49);
  EXPECT_EQ(NoteFromPeriodMOD(113), 72);
  EXPECT_EQ(NoteFromPeriodMOD(429), kCellEmpty);
  EXPECT_EQ(NoteFromPeriodMOD(0), kCellEmpty);
  ModModule mod;
  mod.patterns[0] = {ModCell{0, 0, 428, 1}, ModCell{1, 3, 430, 17, 0xC, 0x20},
                     ModCell{2, 2, 0, 0, 0xF, 0x40}};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  const PatternCell first = CellAt(module, 0, 0, 0);
  EXPECT_EQ(first.note, 49);
  EXPECT_EQ(first.instrument, 1);
  const PatternCell second = CellAt(module, 0, 1, 3);
  EXPECT_EQ(second.note, kCellEmpty);
  EXPECT_EQ(second.instrument, 17);
  EXPECT_EQ(second.effect, Effect::SetVolume);
  EXPECT_EQ(second.parameter, 0x20);
  EXPECT_EQ(CellAt(module, 0, 2, 2).effect, Effect::SetTempo);
}

TEST(ModLoader, EffectsAreTranslatedIntoInternalNumbers) {
  // Guards against wrong entries in the MOD effect table, including the
  // extended commands that XM drops but MOD keeps (E1x).
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
      {0x9, 0x10, Effect::SampleOffset, 0x10},
      {0xA, 0x0F, Effect::VolumeSlide, 0x0F},
      {0xB, 0x02, Effect::PositionJump, 0x02},
      {0xC, 0x40, Effect::SetVolume, 0x40},
      {0xD, 0x10, Effect::PatternBreak, 0x10},
      {0xE, 0x13, Effect::PortaUp, 0xF3},
      {0xE, 0x24, Effect::PortaDown, 0xF4},
      {0xE, 0x31, Effect::Special, 0x11},
      {0xE, 0x42, Effect::Special, 0x32},
      {0xE, 0x63, Effect::Special, 0xB3},
      {0xE, 0x71, Effect::Special, 0x41},
      {0xE, 0x85, Effect::Unhandled, 0x85},
      {0xE, 0x92, Effect::Retrigger, 0x82},
      {0xE, 0xA3, Effect::VolumeSlide, 0x3F},
      {0xE, 0xB3, Effect::VolumeSlide, 0xF3},
      {0xE, 0xC2, Effect::Special, 0xC2},
      {0xE, 0xD1, Effect::Special, 0xD1},
      {0xE, 0xE4, Effect::Special, 0xE4},
      {0xE, 0x01, Effect::Unhandled, 0x01},
      {0xE, 0xF2, Effect::Unhandled, 0xF2},
      {0xF, 0x1F, Effect::SetSpeed, 0x1F},
      {0xF, 0x20, Effect::SetTempo, 0x20},
      {0xE, 0x53, Effect::Unhandled, 0x53},  // set finetune: kept, no pattern-loop point
  };
  for (const Case& c : cases) {
    PatternCell cell;
    TranslateEffectMOD(c.effect, c.parameter, cell);
    EXPECT_EQ(cell.effect, c.internal) << int(c.effect) << " " << int(c.parameter);
    EXPECT_EQ(cell.parameter, c.internalParameter) << int(c.effect) << " " << int(c.parameter);
  }
  for (const auto& [effect, parameter] :
       {std::pair<uint8_t, uint8_t>{0x0, 0x00}, {0x8, 0x80}, {0xE, 0xA0}, {0xE, 0xB0}}) {
    PatternCell cell;
    TranslateEffectMOD(effect, parameter, cell);
    EXPECT_EQ(cell.effect, kCellEmpty) << int(effect) << " " << int(parameter);
  }
}

TEST(ModLoader, SampleHeadersCountInWords) {
  // Guards against lengths and loop points left in words, loops past the
  // end, and finetune stored in the wrong unit.
  ModSample looped = Sample(200, -5);
  looped.finetune = 0x0F;  // -1 in 1/8 semitones
  looped.volume = 80;      // above 64
  looped.loopStartWords = 20;
  looped.loopLengthWords = 500;
  ModSample tiny = Sample(100, 1);
  tiny.loopStartWords = 10;
  tiny.loopLengthWords = 1;  // 2 bytes: no loop
  ModModule mod;
  mod.samples = {looped, tiny};
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  const SampleSlot& first = module.samples[0];
  EXPECT_EQ(first.length, 200u);
  EXPECT_EQ(first.loopStart, 40u);
  EXPECT_EQ(first.loopEnd, 200u);
  EXPECT_EQ(first.flags, SampleFlag::Loop);
  EXPECT_EQ(first.Finetune(), -16);
  EXPECT_EQ(first.volume, 64);
  EXPECT_EQ(first.Data8()[201], -5);
  EXPECT_FALSE(module.samples[1].flags & SampleFlag::Loop);
  EXPECT_EQ(module.instruments[0].keymap[95], 0);
  EXPECT_EQ(module.instruments[1].keymap[0], 1);
}

TEST(ModLoader, TruncatedFilesAreRefusedUnlessOnlySampleDataIsMissing) {
  // Guards against reading past the end of a cut file, and against refusing
  // a module whose last sample lost a few bytes.
  ModModule mod;
  mod.patterns[0] = {ModCell{0, 0, 428, 1}};
  mod.samples = {Sample(64, 7)};
  const std::vector<uint8_t> whole = mod.Build();
  for (size_t cut = 0; cut < whole.size() - 64; cut += 9) {
    ModuleSlot module;
    std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
    EXPECT_FALSE(Load(module, part)) << cut;
  }
  ModuleSlot module;
  std::vector<uint8_t> part(whole.begin(), whole.end() - 24);
  ASSERT_TRUE(Load(module, part));
  EXPECT_EQ(module.samples[0].length, 40u);
}

TEST(ModLoader, HostileSongLengthIsLimitedToTheOrderTable) {
  // Guards against a song length above 128 reading orders past the table.
  ModModule mod;
  mod.songLength = 200;
  ModuleSlot module;
  ASSERT_TRUE(Load(module, mod.Build()));
  EXPECT_EQ(module.songLength, 128);
}
