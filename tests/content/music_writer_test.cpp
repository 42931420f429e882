// Tests of the XM writer: the bytes it writes, the modules it refuses, and
// the song length it measures.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/xmwriter/songlength.h"
#include "tools/xmwriter/xmwriter.h"

namespace {

using namespace xm;

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}
uint16_t U16(const std::vector<uint8_t>& bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }

// Two channels, one pattern of two rows, no instruments.
Module SmallModule() {
  Module module;
  module.name = "Tiny";
  module.channels = 2;
  module.speed = 5;
  module.tempo = 99;
  module.orders = {0, 0};
  module.restart = 1;
  module.patterns.emplace_back(2, 2);
  return module;
}

constexpr size_t kFirstPattern = 336;

TEST(XmWriter, HeaderHoldsTheModulesFieldsAtTheirOffsets) {
  // Guards against a header that players read shifted or with wrong counts.
  Module module = SmallModule();
  module.instruments.push_back(Instrument{});
  auto bytes = WriteModule(module);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 17), "Extended Module: ");
  EXPECT_EQ(std::string(bytes.begin() + 17, bytes.begin() + 21), "Tiny");
  EXPECT_EQ(bytes[21], 0);
  EXPECT_EQ(bytes[37], 0x1A);
  EXPECT_EQ(U16(bytes, 58), 0x0104);
  EXPECT_EQ(U32(bytes, 60), 276u);
  EXPECT_EQ(U16(bytes, 64), 2);    // song length
  EXPECT_EQ(U16(bytes, 66), 1);    // restart
  EXPECT_EQ(U16(bytes, 68), 2);    // channels
  EXPECT_EQ(U16(bytes, 70), 1);    // patterns
  EXPECT_EQ(U16(bytes, 72), 1);    // instruments
  EXPECT_EQ(U16(bytes, 74), 1);    // linear frequencies
  EXPECT_EQ(U16(bytes, 76), 5);
  EXPECT_EQ(U16(bytes, 78), 99);
  EXPECT_EQ(bytes[80], 0);
  EXPECT_EQ(U32(bytes, kFirstPattern), 9u);
}

TEST(XmWriter, CellsArePackedByWhatTheyHold) {
  // Guards against packing that players decode into shifted cells: an empty
  // cell is one byte, a full cell five plain bytes, others a mask and the
  // fields present (an arpeggio with effect 0 keeps its parameter).
  Module module = SmallModule();
  module.instruments.push_back(Instrument{});
  Pattern& pattern = module.patterns[0];
  pattern.At(0, 1) = Cell{49, 1, 0x30, 0x0F, 0x40};
  pattern.At(1, 0) = Cell{kKeyOff, 0, 0, 0, 0};
  pattern.At(1, 1) = Cell{0, 0, 0, 0, 0x37};
  auto bytes = WriteModule(module);
  EXPECT_EQ(bytes[kFirstPattern + 4], 0);   // packing type
  EXPECT_EQ(U16(bytes, kFirstPattern + 5), 2);  // rows
  const std::vector<uint8_t> packed = {0x80, 49, 1, 0x30, 0x0F, 0x40, 0x81, kKeyOff, 0x90, 0x37};
  ASSERT_EQ(U16(bytes, kFirstPattern + 7), packed.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + kFirstPattern + 9, bytes.begin() + kFirstPattern + 9 + 10), packed);
}

Instrument InstrumentWithSamples() {
  Instrument instrument;
  instrument.name = "Test";
  Sample bits16;
  bits16.data = {100, 300, -200, 32767};
  bits16.loop = Loop::PingPong;
  bits16.loopStart = 1;
  bits16.loopLength = 2;
  bits16.finetune = -3;
  bits16.relativeNote = 12;
  bits16.panning = 90;
  Sample bits8;
  bits8.sixteenBit = false;
  bits8.data = {5, -5, 127, -128};
  bits8.loop = Loop::Forward;
  bits8.loopStart = 2;
  bits8.loopLength = 2;
  instrument.samples = {bits16, bits8};
  instrument.keymap.fill(1);
  instrument.keymap[0] = 0;
  instrument.volume.points = {{0, 0}, {10, 64}, {30, 20}};
  instrument.volume.on = true;
  instrument.volume.sustain = 1;
  instrument.panning.points = {{0, 32}, {40, 10}};
  instrument.panning.on = true;
  instrument.panning.loop = std::pair<uint8_t, uint8_t>(0, 1);
  instrument.fadeout = 0x123;
  return instrument;
}

TEST(XmWriter, InstrumentHeaderEnvelopesAndSampleHeaders) {
  // Guards against instrument headers whose fields, envelope flags or
  // sample headers players would read from the wrong place.
  Module module = SmallModule();
  module.instruments.push_back(InstrumentWithSamples());
  auto bytes = WriteModule(module);
  size_t at = kFirstPattern + 9 + U16(bytes, kFirstPattern + 7);
  EXPECT_EQ(U32(bytes, at), 263u);
  EXPECT_EQ(std::string(bytes.begin() + at + 4, bytes.begin() + at + 8), "Test");
  EXPECT_EQ(U16(bytes, at + 27), 2);        // samples
  EXPECT_EQ(U32(bytes, at + 29), 40u);      // sample header size
  EXPECT_EQ(bytes[at + 33], 0);             // keymap
  EXPECT_EQ(bytes[at + 34], 1);
  EXPECT_EQ(U16(bytes, at + 129 + 4), 10);  // volume point 1
  EXPECT_EQ(U16(bytes, at + 129 + 6), 64);
  EXPECT_EQ(U16(bytes, at + 177 + 4), 40);  // panning point 1
  EXPECT_EQ(bytes[at + 225], 3);            // volume points
  EXPECT_EQ(bytes[at + 226], 2);            // panning points
  EXPECT_EQ(bytes[at + 227], 1);            // volume sustain
  EXPECT_EQ(bytes[at + 231], 0);            // panning loop start
  EXPECT_EQ(bytes[at + 232], 1);            // panning loop end
  EXPECT_EQ(bytes[at + 233], 3);            // volume: on, sustain
  EXPECT_EQ(bytes[at + 234], 5);            // panning: on, loop
  EXPECT_EQ(U16(bytes, at + 239), 0x123);   // fadeout
  size_t sample = at + 263;
  EXPECT_EQ(U32(bytes, sample), 8u);        // 16-bit lengths and loops count bytes
  EXPECT_EQ(U32(bytes, sample + 4), 2u);
  EXPECT_EQ(U32(bytes, sample + 8), 4u);
  EXPECT_EQ(static_cast<int8_t>(bytes[sample + 13]), -3);
  EXPECT_EQ(bytes[sample + 14], 0x12);      // ping-pong, 16 bit
  EXPECT_EQ(bytes[sample + 15], 90);
  EXPECT_EQ(bytes[sample + 16], 12);
  EXPECT_EQ(U32(bytes, sample + 40), 4u);
  EXPECT_EQ(bytes[sample + 40 + 14], 0x01); // forward, 8 bit
  size_t data = sample + 80;
  ASSERT_EQ(bytes.size(), data + 8 + 4);
  EXPECT_EQ(static_cast<int16_t>(U16(bytes, data)), 100);   // differences
  EXPECT_EQ(static_cast<int16_t>(U16(bytes, data + 2)), 200);
  EXPECT_EQ(static_cast<int16_t>(U16(bytes, data + 4)), -500);
  EXPECT_EQ(static_cast<int16_t>(U16(bytes, data + 6)), static_cast<int16_t>(32767 + 200));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + data + 8, bytes.end()), (std::vector<uint8_t>{5, 246, 132, 1}));
}

TEST(XmWriter, RefusesWhatTheFormatCannotHold) {
  // Guards against writing modules a player would misread or reject.
  auto refused = [](auto change) {
    Module module = SmallModule();
    module.instruments.push_back(InstrumentWithSamples());
    change(module);
    EXPECT_THROW(WriteModule(module), std::invalid_argument);
  };
  refused([](Module& m) { m.orders.push_back(3); });
  refused([](Module& m) { m.restart = 2; });
  refused([](Module& m) { m.channels = 33; });
  refused([](Module& m) { m.tempo = 20; });
  refused([](Module& m) { m.name = std::string(21, 'x'); });
  refused([](Module& m) { m.patterns[0].At(0, 0).instrument = 2; });
  refused([](Module& m) { m.patterns[0].At(0, 0).note = 98; });
  refused([](Module& m) { m.patterns[0].At(0, 0).volume = 0x55; });
  refused([](Module& m) { m.patterns.emplace_back(4, 3); });
  refused([](Module& m) { m.instruments[0].volume.points[2].tick = 10; });
  refused([](Module& m) { m.instruments[0].volume.points[1].value = 65; });
  refused([](Module& m) { m.instruments[0].volume.sustain = 3; });
  refused([](Module& m) { m.instruments[0].samples[0].loopLength = 4; });
  refused([](Module& m) { m.instruments[0].samples[1].data[0] = 128; });
  refused([](Module& m) { m.instruments[0].keymap[5] = 2; });
  refused([](Module& m) { m.instruments[0].fadeout = 4096; });
  EXPECT_THROW(Pattern(257, 4), std::invalid_argument);
  EXPECT_THROW(SmallModule().patterns[0].At(2, 0), std::out_of_range);
}

TEST(SongLength, FollowsSpeedTempoBreaksDelaysAndTheJumpBack) {
  // Guards against a song length that does not match what players play.
  Module module;
  module.channels = 2;
  module.speed = 6;
  module.tempo = 125;  // rows of 0.12 s
  module.patterns.emplace_back(8, 2);
  module.patterns.emplace_back(8, 2);
  module.patterns[0].At(2, 1) = Cell{0, 0, 0, kSpeedTempo, 3};      // 0.06 s rows from here
  module.patterns[0].At(4, 0) = Cell{0, 0, 0, kPatternBreak, 0x05};  // next pattern at row 5
  module.patterns[1].At(5, 0) = Cell{0, 0, 0, kSpeedTempo, 250};    // 0.03 s rows from here
  module.patterns[1].At(6, 0) = Cell{0, 0, 0, kExtended, 0xE2};     // row played three times
  module.orders = {0, 1, 0};
  module.restart = 1;
  SongTiming timing = MeasureSong(module);
  // Order 0: rows 0-1 at 0.12, rows 2-4 at 0.06. Order 1: rows 5-7 at 0.03,
  // row 6 three times. Order 2 at speed 3, tempo 250: rows 0-4 at 0.03.
  EXPECT_NEAR(timing.seconds, 0.24 + 0.18 + 0.03 * 5 + 0.15, 1e-9);
  EXPECT_NEAR(timing.restartSeconds, 0.42, 1e-9);
  EXPECT_EQ(timing.rows, 5 + 5 + 5);
  module.patterns[1].At(7, 1) = Cell{0, 0, 0, kPositionJump, 0};  // back to the start: the song ends there
  EXPECT_NEAR(MeasureSong(module).seconds, 0.24 + 0.18 + 0.03 * 5, 1e-9);
}

}  // namespace
