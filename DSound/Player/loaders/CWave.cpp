// The RIFF WAVE reader for sample slots: PCM, mono, 8 or 16 bit.
#include "loaders/CWave.h"

#include <cstring>

#include "loaders/ModuleLoading.h"
#include "model/Cmodule.h"

namespace {

constexpr size_t kChunkHeaderBytes = 8;
constexpr uint32_t kFormatBytes = 16;
constexpr uint16_t kFormatPcm = 1;

struct WaveFormat {
  bool present = false;
  uint16_t tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t bits = 0;
};

bool IsChunk(const uint8_t* header, const char* id) { return std::memcmp(header, id, 4) == 0; }

void ReadFormat(ByteReader& reader, uint32_t chunkSize, WaveFormat& format) {
  if (chunkSize < kFormatBytes) {
    reader.Fail();
    return;
  }
  uint8_t f[kFormatBytes];
  reader.Read(f, sizeof f);
  format.present = true;
  format.tag = ReadU16(f);
  format.channels = ReadU16(f + 2);
  format.rate = ReadU32(f + 4);
  format.bits = ReadU16(f + 14);
  if (chunkSize > kFormatBytes) reader.Skip(chunkSize - kFormatBytes + (chunkSize & 1));
}

// Walks the chunks up to "data"; false when the file ends first. On success
// the reader stands at the data and dataSize holds its size.
bool FindData(ByteReader& reader, WaveFormat& format, uint32_t& dataSize) {
  for (;;) {
    uint8_t header[kChunkHeaderBytes];
    reader.Read(header, sizeof header);
    if (reader.Failed()) return false;
    const uint32_t size = ReadU32(header + 4);
    if (IsChunk(header, "data")) {
      dataSize = size;
      return true;
    }
    if (IsChunk(header, "fmt ")) ReadFormat(reader, size, format);
    else reader.Skip(uint64_t{size} + (size & 1));  // chunks are padded to even sizes
    if (reader.Failed()) return false;
  }
}

bool IsPlayableFormat(const WaveFormat& format) {
  return format.present && format.tag == kFormatPcm && format.channels == 1 &&
         (format.bits == 8 || format.bits == 16);
}

}  // namespace

bool LoadWaveFromMemory(SampleSlot& slot, const uint8_t* bytes, size_t size) {
  slot = SampleSlot();
  ByteReader reader(std::span<const uint8_t>(bytes, bytes ? size : 0));
  uint8_t riff[12];
  reader.Read(riff, sizeof riff);
  if (reader.Failed() || !IsChunk(riff, "RIFF") || !IsChunk(riff + 8, "WAVE")) return false;
  WaveFormat format;
  uint32_t dataSize = 0;
  if (!FindData(reader, format, dataSize) || !IsPlayableFormat(format)) return false;

  const bool sixteenBit = format.bits == 16;
  const uint32_t width = sixteenBit ? 2 : 1;
  slot.length = dataSize / width;
  slot.loopEnd = slot.length;
  slot.volume = kMaxVolume;
  slot.flags = SampleFlag::C2Rate | (sixteenBit ? SampleFlag::SixteenBit : 0);
  slot.tuning = format.rate;
  const PcmCoding coding = sixteenBit ? PcmCoding::Signed : PcmCoding::Unsigned;
  if (!ReadSampleData(reader, slot, dataSize, coding) || slot.length == 0) {
    slot = SampleSlot();  // an empty data chunk is no sound
    return false;
  }
  slot.loopEnd = slot.length;
  return true;
}

bool LoadWaveFile(SampleSlot& slot, const char* fileName, unsigned long offset) {
  std::vector<uint8_t> bytes;
  if (!fileName || !ReadFileFrom(fileName, offset, bytes)) {
    slot = SampleSlot();
    return false;
  }
  return LoadWaveFromMemory(slot, bytes.data(), bytes.size());
}
