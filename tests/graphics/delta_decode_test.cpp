#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/packs/deltadecode.h"
#include "tools/packer/deltaencode.h"

namespace {

std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes, size_t from = 0) {
  std::vector<int16_t> samples;
  for (size_t i = from; i + 1 < bytes.size(); i += 2) {
    samples.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
  }
  return samples;
}

std::vector<uint8_t> SampleBytes(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes;
  for (int16_t sample : samples) {
    bytes.push_back(static_cast<uint8_t>(sample));
    bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(sample) >> 8));
  }
  return bytes;
}

std::vector<uint8_t> Wave(const std::vector<uint8_t>& sampleData) {
  std::string header = "RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00";
  header += std::string(16, '\x01');
  header += "data";
  std::vector<uint8_t> wave(header.begin(), header.end());
  uint32_t size = static_cast<uint32_t>(sampleData.size());
  for (int i = 0; i < 4; ++i) wave.push_back(static_cast<uint8_t>(size >> (8 * i)));
  wave.insert(wave.end(), sampleData.begin(), sampleData.end());
  return wave;
}

// Guards the difference tables: every 4-bit value and the ends of the 6- and
// 8-bit tables (truncating division of negative cubes included).
TEST(DeltaTables, ValuesAndEnds) {
  std::vector<int32_t> four(DeltaTable(4).begin(), DeltaTable(4).end());
  EXPECT_EQ(four, (std::vector<int32_t>{-2848, -2072, -1464, -1000, -656, -408, -232, -104, 0, 104, 232, 408, 656,
                                        1000, 1464, 2072}));
  ASSERT_EQ(DeltaTable(6).size(), 64u);
  EXPECT_EQ(DeltaTable(6).front(), -11882);
  EXPECT_EQ(DeltaTable(6).back(), 10860);
  ASSERT_EQ(DeltaTable(8).size(), 256u);
  EXPECT_EQ(DeltaTable(8).front(), -29242);
  EXPECT_EQ(DeltaTable(8).back(), 28581);
  EXPECT_EQ(DeltaTable(8)[128 + 1], 10);
  EXPECT_EQ(DeltaTable(8)[128 + 2], 20);
  EXPECT_EQ(DeltaTable(8)[128 - 1], -10);
}

// Guards code order (low bits first) and the running sum: 0x98 gives codes
// 8 and 9, then code 15 adds 2072.
TEST(DeltaDecode, FourBitExample) {
  std::vector<uint8_t> stored = {0x98, 0x0F};
  std::vector<uint8_t> out(6 + 4, 0);
  ASSERT_TRUE(DeltaDecode(stored.data(), stored.size(), out.data(), 6, 4, false));
  out.resize(6);
  EXPECT_EQ(Samples(out), (std::vector<int16_t>{0, 104, 2176}));
}

// Guards the kept WAVE header: copied through the chunk size after "data",
// then samples; without a leading "R" nothing is copied.
TEST(DeltaDecode, HeaderAndNoHeaderForms) {
  std::vector<uint8_t> codes = {0x98, 0x0F};
  std::vector<uint8_t> header = Wave({});
  std::vector<uint8_t> stored = header;
  stored.insert(stored.end(), codes.begin(), codes.end());
  std::vector<uint8_t> out(header.size() + 6 + 4, 0);
  ASSERT_TRUE(DeltaDecode(stored.data(), stored.size(), out.data(), header.size() + 6, 4, true));
  EXPECT_TRUE(std::equal(header.begin(), header.end(), out.begin()));
  out.resize(header.size() + 6);
  EXPECT_EQ(Samples(out, header.size()), (std::vector<int16_t>{0, 104, 2176}));

  std::vector<uint8_t> plain(6 + 4, 0);
  ASSERT_TRUE(DeltaDecode(codes.data(), codes.size(), plain.data(), 6, 4, true));
  plain.resize(6);
  EXPECT_EQ(Samples(plain), (std::vector<int16_t>{0, 104, 2176}));
}

// Guards the 6-bit code packing across byte boundaries: four codes in
// three bytes.
TEST(DeltaDecode, SixBitCodesAcrossBytes) {
  // codes 33, 34, 31, 63 (D = 30, 65 ... computed from the table)
  uint32_t packed = 33 | 34 << 6 | 31 << 12 | 63 << 18;
  std::vector<uint8_t> stored = {static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                                 static_cast<uint8_t>(packed >> 16)};
  std::vector<uint8_t> out(8 + 4, 0);
  ASSERT_TRUE(DeltaDecode(stored.data(), stored.size(), out.data(), 8, 6, false));
  auto table = DeltaTable(6);
  int32_t sum = 0;
  std::vector<int16_t> expected;
  for (int code : {33, 34, 31, 63}) expected.push_back(static_cast<int16_t>(sum += table[code]));
  out.resize(8);
  EXPECT_EQ(Samples(out), expected);
}

// Guards the bounds: an "R" without a data chunk, a header longer than the
// entry, and too few stored bytes for the samples are refused.
TEST(DeltaDecode, RefusesDataOutsideItsBounds) {
  std::vector<uint8_t> out(64, 0);
  std::vector<uint8_t> noData = {'R', 'I', 'F', 'F', 0, 0, 0, 0};
  EXPECT_FALSE(DeltaDecode(noData.data(), noData.size(), out.data(), 8, 4, true));
  std::vector<uint8_t> wave = Wave({});
  EXPECT_FALSE(DeltaDecode(wave.data(), wave.size(), out.data(), 10, 4, true));
  std::vector<uint8_t> codes = {0x98};
  EXPECT_FALSE(DeltaDecode(codes.data(), codes.size(), out.data(), 6, 4, false));
  EXPECT_TRUE(DeltaDecode(codes.data(), codes.size(), out.data(), 4, 4, false));
}

// Guards the encoder's choice: the greedy nearest code reproduces a signal
// reachable by the table exactly, and follows a sine within the largest step.
TEST(DeltaRoundTrip, EncoderFollowsTheSignal) {
  std::vector<int16_t> reachable = {0, 104, 2176, 1176, 1176, -1672};
  std::vector<uint8_t> data = SampleBytes(reachable);
  std::vector<uint8_t> stored = DeltaEncode(data.data(), data.size(), 4, false);
  std::vector<uint8_t> out(data.size() + 4, 0);
  ASSERT_TRUE(DeltaDecode(stored.data(), stored.size(), out.data(), data.size(), 4, false));
  out.resize(data.size());
  EXPECT_EQ(Samples(out), reachable);

  std::vector<int16_t> sine;
  for (int i = 0; i < 4000; ++i) sine.push_back(static_cast<int16_t>(12000 * std::sin(i * 0.05)));
  for (int bits : {4, 6, 8}) {
    std::vector<uint8_t> wave = Wave(SampleBytes(sine));
    std::vector<uint8_t> encoded = DeltaEncode(wave.data(), wave.size(), bits, true);
    std::vector<uint8_t> decoded(wave.size() + 4, 0);
    ASSERT_TRUE(DeltaDecode(encoded.data(), encoded.size(), decoded.data(), wave.size(), bits, true));
    size_t headerSize = wave.size() - sine.size() * 2;
    EXPECT_TRUE(std::equal(wave.begin(), wave.begin() + static_cast<long>(headerSize), decoded.begin()));
    decoded.resize(wave.size());
    std::vector<int16_t> result = Samples(decoded, headerSize);
    int worst = 0;
    for (size_t i = 0; i < sine.size(); ++i) worst = std::max(worst, std::abs(result[i] - sine[i]));
    EXPECT_LT(worst, bits == 4 ? 700 : 200) << bits << " bits";
  }
}

}  // namespace
