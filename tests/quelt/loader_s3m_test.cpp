// The S3M loader, on small modules written by the builders.
#include <gtest/gtest.h>

#include "loaders/CModS3M.h"
#include "model/Cmodule.h"
#include "loader_support.h"
#include "module_builders.h"

using builders::S3mCell;
using builders::S3mModule;
using builders::S3mPattern;
using builders::S3mSample;

namespace {

S3mSample RampSample(uint32_t length) {
  S3mSample sample;
  for (uint32_t i = 0; i < length; ++i) sample.data.push_back(static_cast<uint8_t>(i * 3));
  return sample;
}

}  // namespace

TEST(S3mLoader, HeaderFieldsBecomeTheModuleRecord) {
  // Guards against header fields read from the wrong offsets.
  S3mModule s3m;
  s3m.name = "Twenty-eight characters long";
  s3m.orders = {0, 1, 254, 0, 255};
  s3m.globalVolume = 48;
  s3m.speed = 4;
  s3m.tempo = 150;
  s3m.patterns.resize(2);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  EXPECT_STREQ(module.name, "Twenty-eight characters long");
  EXPECT_EQ(module.format, ModuleFormat::S3M);
  EXPECT_EQ(module.orders, (std::vector<uint8_t>{0, 1, 254, 0, 255}));
  EXPECT_EQ(module.songLength, 5);
  EXPECT_EQ(module.globalVolume, 48);
  EXPECT_EQ(module.speed, 4);
  EXPECT_EQ(module.tempo, 150);
  EXPECT_EQ(module.restartPosition, 0);
  EXPECT_EQ(module.flags, 0);
  EXPECT_EQ(module.patternCount, 2);
}

TEST(S3mLoader, ChannelSettingsGiveTheDefaultPanningAndTheChannelCount) {
  // Guards against wrong default panning or a channel count that stops at
  // the first unused channel instead of the last used one.
  S3mModule s3m;
  s3m.channelSettings.fill(255);
  s3m.channelSettings[0] = 0;
  s3m.channelSettings[1] = 8;
  s3m.channelSettings[2] = 255;
  s3m.channelSettings[3] = 1;
  s3m.channelSettings[5] = 13;
  s3m.channelSettings[20] = 3;  // only the first 16 settings count
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  EXPECT_EQ(module.channelPanning[0], 48);
  EXPECT_EQ(module.channelPanning[1], 192);
  EXPECT_EQ(module.channelPanning[3], 48);
  EXPECT_EQ(module.channelPanning[5], 192);
  EXPECT_EQ(module.channelCount, 6);
}

TEST(S3mLoader, ThePanningTableOverridesChannelsWithBit5) {
  // Guards against applying table entries without their "set" bit.
  S3mModule s3m;
  s3m.panningTable = true;
  s3m.panning[0] = 0x20 | 0x03;  // 3 x 16
  s3m.panning[1] = 0x0F;         // no bit 5: setting panning stays
  s3m.panning[2] = 0x20 | 0x0F;
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  EXPECT_EQ(module.channelPanning[0], 48);
  EXPECT_EQ(module.channelPanning[1], 192);
  EXPECT_EQ(module.channelPanning[2], 240);
}

TEST(S3mLoader, NotesAreOctaveTimesTwelvePlusSemitone) {
  // Guards against wrong note arithmetic and invalid note bytes reaching the
  // player: 0x41 is note 49.
  EXPECT_EQ(NoteFromS3M(0x41), 49);
  EXPECT_EQ(NoteFromS3M(0x00), 0);
  EXPECT_EQ(NoteFromS3M(0x7B), 95);
  EXPECT_EQ(NoteFromS3M(254), 254);
  EXPECT_EQ(NoteFromS3M(255), 255);
  EXPECT_EQ(NoteFromS3M(0x4C), kCellEmpty);  // semitone 12
  EXPECT_EQ(NoteFromS3M(0x81), kCellEmpty);  // octave 8
}

TEST(S3mLoader, PatternCellsKeepTheirEffectsVolumesAndChannels) {
  // Guards against lost cells or volume bytes above 64 reaching the player
  // as volume-column commands.
  S3mModule s3m;
  s3m.patterns.push_back(S3mPattern{{{0, 0, 0x41, 1, 40, 4, 0x0F},
                                     {3, 31, 254, 0},
                                     {63, 2, 255, 0, 200, 19, 0xB2}}});
  s3m.patterns.push_back(S3mPattern{{}, false});
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  const PatternCell first = CellAt(module, 0, 0, 0);
  EXPECT_EQ(first.note, 49);
  EXPECT_EQ(first.instrument, 1);
  EXPECT_EQ(first.volume, 40);
  EXPECT_EQ(first.effect, Effect::VolumeSlide);
  EXPECT_EQ(first.parameter, 0x0F);
  EXPECT_EQ(CellAt(module, 0, 3, 31).note, 254);
  const PatternCell last = CellAt(module, 0, 63, 2);
  EXPECT_EQ(last.volume, 64);
  EXPECT_EQ(last.effect, Effect::Special);
  EXPECT_EQ(last.parameter, 0xB2);
  EXPECT_EQ(module.patterns[0].rowCount, 64u);
  EXPECT_EQ(module.patterns[1].data, std::vector<uint8_t>(64, 0));  // parapointer 0
}

TEST(S3mLoader, SamplesAreConvertedAndGetAnInstrumentEach) {
  // Guards against unsigned data played as signed, lost sample fields, and
  // missing instrument records for S3M samples.
  S3mSample sample = RampSample(100);
  sample.dosName = "RAMP.SMP";
  sample.name = "a ramp";
  sample.loopBegin = 10;
  sample.loopEnd = 500;  // past the end
  sample.flags = 1;
  sample.volume = 50;
  sample.c2rate = 22050;
  S3mModule s3m;
  s3m.samples = {sample, RampSample(4)};
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  ASSERT_EQ(module.sampleCount, 2);
  ASSERT_EQ(module.instrumentCount, 2);
  const SampleSlot& loaded = module.samples[0];
  EXPECT_STREQ(loaded.dosName, "RAMP.SMP");
  EXPECT_STREQ(loaded.name, "a ramp");
  EXPECT_EQ(loaded.length, 100u);
  EXPECT_EQ(loaded.loopStart, 10u);
  EXPECT_EQ(loaded.loopEnd, 100u);
  EXPECT_EQ(loaded.flags, SampleFlag::Loop | SampleFlag::C2Rate);
  EXPECT_EQ(loaded.tuning, 22050u);
  EXPECT_EQ(loaded.volume, 50);
  EXPECT_EQ(loaded.defaultPanning, 48);
  EXPECT_EQ(loaded.Data8()[0], -128);
  EXPECT_EQ(loaded.Data8()[50], 150 - 128);
  EXPECT_EQ(loaded.Data8()[100], loaded.Data8()[99]);
  const Instrument& instrument = module.instruments[1];
  EXPECT_EQ(instrument.sampleCount, 1);
  EXPECT_EQ(instrument.sampleDefaultPanning, 48);
  for (uint8_t entry : instrument.keymap) EXPECT_EQ(entry, 1);
  EXPECT_EQ(instrument.volumeEnvelope.flags, 0);
  EXPECT_EQ(instrument.fadeout, 0);
}

TEST(S3mLoader, SignedSampleFilesAreNotConvertedAgain) {
  // Guards against flipping the sign bit of files that say their samples
  // are signed already.
  S3mModule s3m;
  s3m.sampleFormat = 1;
  S3mSample sample;
  sample.data = {0x00, 0x7F, 0x80, 0xFF};
  s3m.samples = {sample};
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  const int8_t* data = module.samples[0].Data8();
  EXPECT_EQ(std::vector<int>(data, data + 4), (std::vector<int>{0, 127, -128, -1}));
}

TEST(S3mLoader, SixteenBitSamplesAreReadAsSixteenBit) {
  // Guards against 16-bit samples holding only length bytes, which the
  // mixer would read as 2 x length bytes, past the end.
  S3mSample sample;
  sample.flags = 4;
  sample.length = 3;
  sample.data = {0x00, 0x80, 0xFF, 0xFF, 0x00, 0x00};  // unsigned 0x8000, 0xFFFF, 0
  S3mModule s3m;
  s3m.samples = {sample};
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  const SampleSlot& loaded = module.samples[0];
  ASSERT_TRUE(loaded.Is16Bit());
  ASSERT_EQ(loaded.length, 3u);
  EXPECT_EQ(loaded.Data16()[0], 0);
  EXPECT_EQ(loaded.Data16()[1], 32767);
  EXPECT_EQ(loaded.Data16()[2], -32768);
  EXPECT_EQ(loaded.Data16()[4], -32768);
}

TEST(S3mLoader, InstrumentsWithoutSampleDataStayEmpty) {
  // Guards against reading synthesiser instruments, missing instruments or
  // data past the end of the file as sample data.
  S3mSample adlib = RampSample(16);
  adlib.type = 2;
  S3mSample missing = RampSample(16);
  missing.stored = false;
  S3mSample pastEnd = RampSample(16);
  pastEnd.dataPosition = 0x100000;
  S3mModule s3m;
  s3m.samples = {adlib, missing, pastEnd, RampSample(8)};
  s3m.patterns.resize(1);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, s3m.Build()));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(module.samples[i].length, 0u) << i;
    EXPECT_EQ(module.samples[i].Data(), nullptr) << i;
  }
  EXPECT_EQ(module.samples[3].length, 8u);
}

TEST(S3mLoader, HostileFilesAreRefusedOrClamped) {
  // Guards against parapointers and counts that point outside the file.
  S3mModule s3m;
  s3m.samples = {RampSample(40)};
  s3m.patterns.push_back(S3mPattern{{{0, 0, 0x41, 1}}});
  const std::vector<uint8_t> whole = s3m.Build();
  {
    std::vector<uint8_t> bytes = whole;
    bytes[34] = 0xFF;  // 255 instruments whose parapointers are not there
    bytes[35] = 0x00;
    ModuleSlot module;
    EXPECT_FALSE(Load(module, bytes));
  }
  {
    std::vector<uint8_t> bytes = whole;
    bytes[36] = 0x00;  // 4096 patterns
    bytes[37] = 0x10;
    ModuleSlot module;
    EXPECT_FALSE(Load(module, bytes));
  }
  {
    std::vector<uint8_t> bytes = whole;
    bytes[50] = 0;  // tempo 0
    ModuleSlot module;
    ASSERT_TRUE(Load(module, bytes));
    EXPECT_EQ(module.tempo, kMinTempo);
  }
  for (size_t cut = 0; cut < whole.size(); cut += 3) {
    ModuleSlot module;
    std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
    const bool loaded = Load(module, part);
    if (cut < 96 + 1 + 2 + 2) {  // header and tables cut
      EXPECT_FALSE(loaded) << cut;
    }
    if (loaded) {
      EXPECT_LE(module.samples[0].length, 40u) << cut;
    }
  }
}

TEST(S3mLoader, PatternDataEndingEarlyLeavesTheRestEmpty) {
  // Guards against reading past the pattern's own length into other data.
  S3mModule s3m;
  s3m.patterns.push_back(S3mPattern{{{0, 0, 0x41, 1}, {1, 0, 0x42, 1}}});
  std::vector<uint8_t> bytes = s3m.Build();
  // The last pattern's data is the end of the file: cut it after row 0.
  const size_t at = bytes.size() - (64 - 1 + 3 + 1 + 3);
  bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at + 5), bytes.end());
  ModuleSlot module;
  ASSERT_TRUE(Load(module, bytes));
  EXPECT_EQ(CellAt(module, 0, 0, 0).note, 49);
  EXPECT_EQ(CellAt(module, 0, 1, 0).note, kCellEmpty);
}
