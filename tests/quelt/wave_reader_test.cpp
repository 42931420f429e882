// The RIFF WAVE reader of sample slots.
#include <gtest/gtest.h>

#include "model/Cmodule.h"
#include "loaders/CWave.h"
#include "module_builders.h"

using builders::BuildWave;
using builders::WaveChunk;

namespace {

constexpr uint16_t kPcm = 1;

bool Load(SampleSlot& slot, const std::vector<uint8_t>& bytes) {
  return LoadWaveFromMemory(slot, bytes.data(), bytes.size());
}

}  // namespace

TEST(WaveReader, EightBitMonoBecomesASignedSample) {
  // Guards against unsigned 8-bit data played as signed, and missing slot
  // fields (volume 64, loop end = length, rate as C2 rate, no loop).
  SampleSlot slot;
  ASSERT_TRUE(Load(slot, BuildWave(kPcm, 1, 22050, 8, {0, 128, 255, 200})));
  EXPECT_EQ(slot.length, 4u);
  const int8_t* data = slot.Data8();
  EXPECT_EQ(std::vector<int>(data, data + 6), (std::vector<int>{-128, 0, 127, 72, 72, 72}));
  EXPECT_EQ(slot.loopStart, 0u);
  EXPECT_EQ(slot.loopEnd, 4u);
  EXPECT_EQ(slot.volume, 64);
  EXPECT_EQ(slot.tuning, 22050u);
  EXPECT_FALSE(slot.flags & SampleFlag::Loop);
  EXPECT_FALSE(slot.Is16Bit());
  EXPECT_EQ(slot.name[0], 0);
}

TEST(WaveReader, SixteenBitDataAfterOtherChunks) {
  // Guards against stopping at the first chunk that is not "data", and
  // against odd-sized chunks not being skipped with their pad byte.
  const std::vector<WaveChunk> before = {{"LIST", {1, 2, 3}}, {"fact", {4, 0, 0, 0}}};
  SampleSlot slot;
  ASSERT_TRUE(Load(slot, BuildWave(kPcm, 1, 44100, 16, {0x00, 0x80, 0xFF, 0x7F, 0x01, 0x00},
                                   before)));
  ASSERT_TRUE(slot.Is16Bit());
  EXPECT_EQ(slot.length, 3u);
  EXPECT_EQ(slot.Data16()[0], -32768);
  EXPECT_EQ(slot.Data16()[1], 32767);
  EXPECT_EQ(slot.Data16()[2], 1);
  EXPECT_EQ(slot.Data16()[4], 1);
  EXPECT_EQ(slot.loopEnd, 3u);
}

TEST(WaveReader, OnlyPcmMonoEightOrSixteenBitIsAccepted) {
  // Guards against playing stereo, 24-bit or compressed data as mono PCM.
  const std::vector<uint8_t> data(12, 0x40);
  const struct {
    uint16_t tag, channels, bits;
  } refused[] = {{kPcm, 2, 16}, {kPcm, 1, 24}, {kPcm, 2, 8}, {3, 1, 16}, {2, 1, 16}, {kPcm, 1, 4}};
  for (const auto& format : refused) {
    SampleSlot slot;
    EXPECT_FALSE(Load(slot, BuildWave(format.tag, format.channels, 44100, format.bits, data)));
    EXPECT_EQ(slot.length, 0u);
    EXPECT_EQ(slot.Data(), nullptr);
  }
}

TEST(WaveReader, BrokenFilesLeaveTheSlotFree) {
  // Guards against accepting files without ids, format or data, and against
  // an old sound staying in a slot after a failed load.
  const std::vector<uint8_t> good = BuildWave(kPcm, 1, 8000, 8, {1, 2, 3});
  std::vector<std::vector<uint8_t>> broken;
  broken.push_back({});
  broken.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 36));  // no data chunk
  broken.push_back(BuildWave(kPcm, 1, 8000, 8, {}));                        // empty data
  std::vector<uint8_t> noRiff = good;
  noRiff[0] = 'X';
  broken.push_back(noRiff);
  std::vector<uint8_t> noWave = good;
  noWave[8] = 'X';
  broken.push_back(noWave);
  std::vector<uint8_t> shortFormat = good;
  shortFormat[16] = 8;  // format chunk of 8 bytes
  broken.push_back(shortFormat);
  std::vector<uint8_t> hugeChunk = BuildWave(kPcm, 1, 8000, 8, {1}, {{"JUNK", {0}}});
  hugeChunk[40] = hugeChunk[41] = hugeChunk[42] = hugeChunk[43] = 0xFF;  // JUNK size
  broken.push_back(hugeChunk);
  for (const std::vector<uint8_t>& bytes : broken) {
    SampleSlot slot;
    ASSERT_TRUE(Load(slot, good));
    EXPECT_FALSE(Load(slot, bytes));
    EXPECT_EQ(slot.length, 0u);
    EXPECT_EQ(slot.Data(), nullptr);
  }
}

TEST(WaveReader, DataCutShortGivesAShorterSound) {
  // Guards against reading past the end when the data chunk claims more
  // bytes than the file holds.
  std::vector<uint8_t> bytes = BuildWave(kPcm, 1, 8000, 16, std::vector<uint8_t>(100, 0x11));
  bytes.erase(bytes.end() - 51, bytes.end());
  SampleSlot slot;
  ASSERT_TRUE(Load(slot, bytes));
  EXPECT_EQ(slot.length, 24u);
  EXPECT_EQ(slot.loopEnd, 24u);
}

TEST(WaveReader, SoundsAreReadFromAnOffsetInsideALargerFile) {
  // Guards against ignoring the byte offset of a sound inside an archive.
  std::vector<uint8_t> archive(1000, 0xEE);
  const std::vector<uint8_t> wave = BuildWave(kPcm, 1, 11025, 8, {10, 20, 30});
  archive.insert(archive.end(), wave.begin(), wave.end());
  archive.insert(archive.end(), 50, 0xEE);
  const std::string path =
      builders::WriteFile(::testing::TempDir() + "quelt_wave_archive.bin", archive);
  SampleSlot slot;
  ASSERT_TRUE(LoadWaveFile(slot, path.c_str(), 1000));
  EXPECT_EQ(slot.length, 3u);
  EXPECT_EQ(slot.Data8()[2], 30 - 128);
  EXPECT_FALSE(LoadWaveFile(slot, path.c_str(), 999));
  EXPECT_FALSE(LoadWaveFile(slot, path.c_str(), 100000));
  EXPECT_FALSE(LoadWaveFile(slot, "no such file.wav", 0));
  EXPECT_EQ(slot.length, 0u);
}
