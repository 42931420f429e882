// QLT files: writing a model and loading it back, the format's compact
// forms, and broken files.
#include <gtest/gtest.h>

#include <cstring>

#include "loaders/CModQLT.h"
#include "model/Cmodule.h"
#include "loader_support.h"
#include "module_builders.h"

using builders::S3mModule;
using builders::XmCell;
using builders::XmInstrument;
using builders::XmModule;
using builders::XmPattern;
using builders::XmPatternData;
using builders::XmSample;

namespace {

void ExpectSameModel(const ModuleSlot& a, const ModuleSlot& b) {
  EXPECT_EQ(0, std::memcmp(a.name, b.name, sizeof a.name));
  EXPECT_EQ(0, std::memcmp(a.reserved, b.reserved, sizeof a.reserved));
  EXPECT_EQ(a.songLength, b.songLength);
  EXPECT_EQ(a.instrumentCount, b.instrumentCount);
  EXPECT_EQ(a.sampleCount, b.sampleCount);
  EXPECT_EQ(a.patternCount, b.patternCount);
  EXPECT_EQ(a.globalVolume, b.globalVolume);
  EXPECT_EQ(a.speed, b.speed);
  EXPECT_EQ(a.tempo, b.tempo);
  EXPECT_EQ(a.orders, b.orders);
  EXPECT_EQ(a.restartPosition, b.restartPosition);
  EXPECT_EQ(a.channelCount, b.channelCount);
  EXPECT_EQ(0, std::memcmp(a.channelPanning, b.channelPanning, sizeof a.channelPanning));
  EXPECT_EQ(a.flags, b.flags);
  EXPECT_EQ(a.format, b.format);
  ASSERT_EQ(a.patterns.size(), b.patterns.size());
  for (size_t i = 0; i < a.patterns.size(); ++i) {
    EXPECT_EQ(a.patterns[i].rowCount, b.patterns[i].rowCount) << "pattern " << i;
    EXPECT_EQ(a.patterns[i].data, b.patterns[i].data) << "pattern " << i;
  }
  EXPECT_EQ(a.instruments, b.instruments);
  EXPECT_EQ(a.samples, b.samples);
}

XmModule RichXm() {
  XmSample eight;
  eight.points = {0, 50, 100, -100, -50};
  eight.loopType = 1;
  eight.loopStart = 1;
  eight.loopLength = 3;
  eight.finetune = -7;
  eight.relativeNote = 3;
  eight.name = "eight";
  XmSample sixteen;
  sixteen.sixteenBit = true;
  sixteen.points = {-32768, 0, 32767, 1000};
  sixteen.loopType = 2;
  sixteen.loopLength = 4;
  sixteen.panning = 10;
  XmInstrument first;
  first.name = "first";
  first.samples = {eight, sixteen};
  for (int note = 48; note < 96; ++note) first.keymap[note] = 1;
  first.volume.points = {{0, 0}, {4, 64}, {50, 20}, {90, 0}};
  first.volume.flags = 3;
  first.volume.sustain = 2;
  first.panning.points = {{0, 32}, {10, 0}};
  first.panning.flags = 5;
  first.panning.loopEnd = 1;
  first.fadeout = 300;
  first.vibratoDepth = 7;
  XmInstrument empty;
  empty.name = "empty";
  XmModule xm;
  xm.name = "rich";
  xm.channels = 6;
  xm.orders = {0, 1, 0, 2};
  xm.restart = 2;
  xm.tempo = 99;
  xm.patterns.push_back(XmPattern{64, XmPatternData(64, 6,
                                                    {{0, 0, 49, 1, 0x40, 0xE, 0x93},
                                                     {0, 5, 97},
                                                     {8, 2, 60, 3, 0x20, 0xF, 0x03},
                                                     {9, 2, 60, 3, 0x20, 0xF, 0x03},
                                                     {63, 4, 1, 1, 0x6F}})});
  xm.patterns.push_back(XmPattern{16, {}});
  xm.patterns.push_back(XmPattern{128, XmPatternData(128, 6, {{127, 3, 12, 2, 0, 0xA, 0x0F}})});
  xm.instruments = {first, empty, first};
  return xm;
}

// A model built by hand: one empty pattern, one instrument, one sample.
ModuleSlot SmallModel() {
  ModuleSlot module;
  std::strcpy(module.name, "small");
  module.songLength = 1;
  module.orders = {0};
  module.patternCount = 1;
  module.patterns.resize(1);
  PackEmptyPattern(module.patterns[0], 64);
  module.instrumentCount = 1;
  module.instruments.resize(1);
  module.instruments[0].sampleCount = 1;
  module.sampleCount = 1;
  module.samples.resize(1);
  AllocateSampleData(module.samples[0], 4, false);
  module.samples[0].loopEnd = 4;
  module.globalVolume = 64;
  module.speed = 6;
  module.tempo = 125;
  module.channelCount = 4;
  module.format = ModuleFormat::XM;
  return module;
}

// Byte positions in SmallModel's file: the fixed header, one order byte,
// the 9-byte pattern record without data, then the instrument.
constexpr size_t kHeaderBytes = 87;
// id, version, name, song length, instrument count
constexpr size_t kSampleCountAt = 4 + 2 + 32 + 2 + 2;
constexpr size_t kPatternRecordAt = kHeaderBytes + 1;
constexpr size_t kInstrumentAt = kPatternRecordAt + 9;
constexpr size_t kKeymapAt = kInstrumentAt + 42 + 6;

}  // namespace

TEST(QltFormat, XmWrittenAsQltLoadsAsTheSameModel) {
  // Guards against any field the QLT writer and loader do not carry both
  // ways (envelopes, keymaps, 16-bit data, loop points, patterns).
  ModuleSlot fromXm;
  ASSERT_TRUE(Load(fromXm, RichXm().Build()));
  const std::vector<uint8_t> qlt = WriteModuleQLT(fromXm);
  ModuleSlot fromQlt;
  ASSERT_TRUE(Load(fromQlt, qlt));
  ExpectSameModel(fromXm, fromQlt);
  EXPECT_EQ(WriteModuleQLT(fromQlt), qlt);
}

TEST(QltFormat, S3mAndModWrittenAsQltLoadAsTheSameModel) {
  // Guards against the S3M-only fields (DOS names, C2 rates, default
  // panning byte) and MOD settings getting lost in a QLT file.
  S3mModule s3m;
  builders::S3mSample sample;
  sample.dosName = "DOS.NAM";
  sample.data = {1, 2, 3, 250};
  sample.c2rate = 16000;
  s3m.samples = {sample};
  s3m.patterns.push_back({{{0, 0, 0x41, 1, 30, 19, 0xB1}}});
  builders::ModModule mod;
  mod.patterns[0] = {builders::ModCell{0, 1, 428, 1, 0xE, 0x12}};
  mod.samples = {builders::ModSample{"kick", {1, 2, 3, 4}, 3, 40, 0, 2}};
  for (const std::vector<uint8_t>& file : {s3m.Build(), mod.Build()}) {
    ModuleSlot original;
    ASSERT_TRUE(Load(original, file));
    ModuleSlot copy;
    ASSERT_TRUE(Load(copy, WriteModuleQLT(original)));
    ExpectSameModel(original, copy);
  }
}

TEST(QltFormat, EmptyPatternsStoreNoBytes) {
  // Guards against empty patterns being stored in full, or a packed size
  // equal to the row count being read as data.
  ModuleSlot module = SmallModel();
  std::vector<uint8_t> qlt = WriteModuleQLT(module);
  EXPECT_EQ(qlt[kPatternRecordAt + 1], 64);  // rows
  EXPECT_EQ(qlt[kPatternRecordAt + 5], 64);  // packed size, and no bytes follow
  EXPECT_EQ(qlt[kInstrumentAt], 0);          // the instrument's name starts right away
  ModuleSlot loaded;
  ASSERT_TRUE(Load(loaded, qlt));
  EXPECT_EQ(loaded.patterns[0].data, std::vector<uint8_t>(64, 0));
}

TEST(QltFormat, KeymapsAreRunLengthCodedUpTo48Samples) {
  // Guards against the keymap coding switching at the wrong sample count:
  // 10 samples give run-length pairs, 49 the 96 raw bytes.
  ModuleSlot module = SmallModel();
  module.instruments[0].sampleCount = 10;
  const std::vector<uint8_t> pairs = WriteModuleQLT(module);
  EXPECT_EQ(pairs[kKeymapAt], 0);
  EXPECT_EQ(pairs[kKeymapAt + 1], 96);
  module.instruments[0].sampleCount = 49;
  const std::vector<uint8_t> raw = WriteModuleQLT(module);
  EXPECT_EQ(raw.size(), pairs.size() + 96 - 2);
  for (const std::vector<uint8_t>* file : {&pairs, &raw}) {
    ModuleSlot loaded;
    ASSERT_TRUE(Load(loaded, *file));
    for (uint8_t entry : loaded.instruments[0].keymap) EXPECT_EQ(entry, 0);
  }
}

TEST(QltFormat, HostileKeymapsAreRefusedOrClamped) {
  // Guards against a run of 0 (which never fills the keymap), runs past the
  // 96 entries, and entries past the sample table.
  const std::vector<uint8_t> good = WriteModuleQLT(SmallModel());
  {
    std::vector<uint8_t> bytes = good;
    bytes[kKeymapAt + 1] = 0;
    ModuleSlot module;
    EXPECT_FALSE(Load(module, bytes));
  }
  {
    std::vector<uint8_t> bytes = good;
    bytes[kKeymapAt + 1] = 200;
    ModuleSlot module;
    ASSERT_TRUE(Load(module, bytes));
    EXPECT_EQ(module.instruments[0].keymap[95], 0);
  }
  {
    std::vector<uint8_t> bytes = good;
    bytes[kKeymapAt] = 7;  // only sample 0 exists
    ModuleSlot module;
    ASSERT_TRUE(Load(module, bytes));
    for (uint8_t entry : module.instruments[0].keymap) EXPECT_EQ(entry, kKeymapNoSample);
  }
}

TEST(QltFormat, HostileCountsAndPatternsAreRefused) {
  // Guards against trusting counts, row numbers and packed pattern bytes of
  // a QLT file.
  ModuleSlot model = SmallModel();
  const auto refusedAfter = [&](auto change) {
    ModuleSlot copy = model;
    change(copy);
    ModuleSlot loaded;
    return !Load(loaded, WriteModuleQLT(copy));
  };
  EXPECT_TRUE(refusedAfter([](ModuleSlot& m) {
    m.patterns[0].data = {0x81, 0x01, 120, 0};  // no such note
    m.patterns[0].rowCount = 1;
  }));
  EXPECT_TRUE(refusedAfter([](ModuleSlot& m) {
    m.patterns[0].data = {0xC5, 0x01, 10, 0};  // channel 69
    m.patterns[0].rowCount = 1;
  }));
  EXPECT_TRUE(refusedAfter([](ModuleSlot& m) {
    m.patterns[0].data = {0, 0, 0, 0};  // more bytes than rows
    m.patterns[0].rowCount = 2;
  }));
  EXPECT_TRUE(refusedAfter([](ModuleSlot& m) { PackEmptyPattern(m.patterns[0], 5000); }));
  EXPECT_TRUE(refusedAfter([](ModuleSlot& m) {
    m.patternCount = 300;
    m.patterns.resize(300);
  }));

  std::vector<uint8_t> bytes = WriteModuleQLT(model);
  bytes[kSampleCountAt] = 0xFF;  // 65535 samples
  bytes[kSampleCountAt + 1] = 0xFF;
  ModuleSlot loaded;
  EXPECT_FALSE(Load(loaded, bytes));
}

TEST(QltFormat, ValuesThePlayerCannotUseAreClamped) {
  // Guards against out-of-range values in a QLT file reaching the player
  // and mixer: channel counts, volumes, loop points, envelope points.
  ModuleSlot model = SmallModel();
  model.channelCount = 200;
  model.globalVolume = 255;
  model.samples[0].volume = 99;
  model.samples[0].loopStart = 3;
  model.samples[0].loopEnd = 999;
  model.samples[0].flags |= SampleFlag::Loop;
  Envelope& envelope = model.instruments[0].volumeEnvelope;
  envelope.count = 2;
  envelope.points = {0, 64, 10, 0};
  envelope.sustain = 9;
  envelope.loopEnd = 200;
  model.instruments[0].panningEnvelope.flags = EnvelopeFlag::On;  // no points
  ModuleSlot loaded;
  ASSERT_TRUE(Load(loaded, WriteModuleQLT(model)));
  EXPECT_EQ(loaded.channelCount, kModuleChannels);
  EXPECT_EQ(loaded.globalVolume, 64);
  EXPECT_EQ(loaded.samples[0].volume, 64);
  EXPECT_EQ(loaded.samples[0].loopEnd, 4u);
  EXPECT_TRUE(loaded.samples[0].flags & SampleFlag::Loop);
  EXPECT_EQ(loaded.instruments[0].volumeEnvelope.sustain, 1);
  EXPECT_EQ(loaded.instruments[0].volumeEnvelope.loopEnd, 1);
  EXPECT_EQ(loaded.instruments[0].panningEnvelope.flags, 0);
}

TEST(QltFormat, TruncatedFilesAreRefusedUnlessOnlySampleDataIsMissing) {
  // Guards against reading past the end of a cut QLT file.
  ModuleSlot fromXm;
  ASSERT_TRUE(Load(fromXm, RichXm().Build()));
  const std::vector<uint8_t> whole = WriteModuleQLT(fromXm);
  const size_t lastData = 4 * 2;  // the last sample: 4 points of 16 bits
  for (size_t cut = 0; cut < whole.size() - lastData - 1; cut += 3) {
    std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
    ModuleSlot module;
    EXPECT_FALSE(Load(module, part)) << cut;
  }
  std::vector<uint8_t> part(whole.begin(), whole.end() - 4);
  ModuleSlot module;
  ASSERT_TRUE(Load(module, part));
  EXPECT_EQ(module.samples.back().length, 2u);
}
