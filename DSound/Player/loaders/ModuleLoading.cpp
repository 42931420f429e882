// File reading and sample decoding shared by every loader.
#include "loaders/ModuleLoading.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <sys/stat.h>

namespace {

constexpr size_t kPieceBytes = 256;

std::FILE* OpenForReading(const char* fileName) {
  std::FILE* file = std::fopen(fileName, "rb");
  if (file || !std::strchr(fileName, '\\')) return file;
  std::string native(fileName);
  std::replace(native.begin(), native.end(), '\\', '/');
  return std::fopen(native.c_str(), "rb");
}

// Undoes the coding of 8-bit points in place.
void Decode8(int8_t* data, uint32_t count, PcmCoding coding) {
  if (coding == PcmCoding::Unsigned) {
    for (uint32_t i = 0; i < count; ++i)
      data[i] = static_cast<int8_t>(static_cast<uint8_t>(data[i]) ^ 0x80);
  } else if (coding == PcmCoding::Delta) {
    uint8_t sum = 0;
    for (uint32_t i = 0; i < count; ++i) {
      sum = static_cast<uint8_t>(sum + static_cast<uint8_t>(data[i]));
      data[i] = static_cast<int8_t>(sum);
    }
  }
}

// Turns little-endian 16-bit points into samples, undoing their coding.
void Decode16(const uint8_t* bytes, int16_t* data, uint32_t count, PcmCoding coding) {
  uint16_t sum = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint16_t value = static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    if (coding == PcmCoding::Unsigned) value ^= 0x8000;
    if (coding == PcmCoding::Delta) value = sum = static_cast<uint16_t>(sum + value);
    data[i] = static_cast<int16_t>(value);
  }
}

}  // namespace

size_t ReadInPieces(std::FILE* file, void* target, size_t count) {
  uint8_t* out = static_cast<uint8_t*>(target);
  size_t total = 0;
  while (total < count) {
    const size_t piece = std::min(kPieceBytes, count - total);
    const size_t got = std::fread(out + total, 1, piece, file);
    total += got;
    if (got < piece) break;
  }
  return total;
}

bool ReadFileFrom(const char* fileName, unsigned long offset, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::FILE* file = OpenForReading(fileName);
  if (!file) return false;
  // Only a regular file has a size to read up to (a folder opens, but holds
  // no bytes).
  struct stat status;
  uint64_t size = 0;
  if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
    size = static_cast<uint64_t>(status.st_size);
  if (offset < size && fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0) {
    const uint64_t wanted = std::min<uint64_t>(size - offset, kMaxLoadedFileBytes);
    try {
      bytes.resize(static_cast<size_t>(wanted));
      bytes.resize(ReadInPieces(file, bytes.data(), bytes.size()));
    } catch (const std::bad_alloc&) {
      bytes.clear();
    }
  }
  std::fclose(file);
  return true;
}

bool ReadSampleData(ByteReader& reader, SampleSlot& sample, uint64_t storedBytes,
                    PcmCoding coding) {
  const bool sixteenBit = sample.Is16Bit();
  const uint32_t width = sixteenBit ? 2 : 1;
  const std::span<const uint8_t> stored =
      reader.Take(static_cast<size_t>(std::min<uint64_t>(storedBytes, reader.Remaining())));
  uint64_t length = std::min<uint64_t>(sample.length, stored.size() / width);
  length = std::min<uint64_t>(length, kMaxSampleLength);
  if (length == 0) {
    FreeSample(sample);
    LimitLoop(sample);
    return true;
  }
  if (!AllocateSampleData(sample, static_cast<uint32_t>(length), sixteenBit)) return false;
  if (sixteenBit) {
    Decode16(stored.data(), sample.Data16(), sample.length, coding);
  } else {
    std::memcpy(sample.Data8(), stored.data(), sample.length);
    Decode8(sample.Data8(), sample.length, coding);
  }
  SetGuardSamples(sample);
  LimitLoop(sample);
  return true;
}

void LimitLoop(SampleSlot& sample) {
  sample.loopEnd = std::min(sample.loopEnd, sample.length);
  sample.loopStart = std::min(sample.loopStart, sample.loopEnd);
  if (sample.loopStart >= sample.loopEnd) sample.flags &= ~SampleFlag::Loop;
}

void CopyName(char* target, size_t targetSize, const uint8_t* source, size_t count) {
  std::memset(target, 0, targetSize);
  std::memcpy(target, source, std::min(targetSize, count));
  if (targetSize > count) target[count] = 0;
}

void AddInstrumentPerSample(ModuleSlot& module) {
  module.instruments.assign(module.samples.size(), Instrument());
  for (size_t index = 0; index < module.samples.size(); ++index) {
    const SampleSlot& sample = module.samples[index];
    Instrument& instrument = module.instruments[index];
    std::memcpy(instrument.name, sample.name, sizeof instrument.name);
    instrument.sampleDefaultPanning = sample.defaultPanning;
    instrument.sampleCount = 1;
    std::memset(instrument.keymap, static_cast<int>(index), sizeof instrument.keymap);
  }
  module.instrumentCount = static_cast<uint16_t>(module.instruments.size());
}

bool TranslateSharedExtended(uint8_t parameter, PatternCell& cell) {
  const uint8_t x = parameter & 0x0F;
  switch (parameter >> 4) {
    case 0x6: SetEffect(cell, Effect::Special, SpecialParameter(SpecialEffect::PatternLoop, x)); return true;
    case 0x9: SetEffect(cell, Effect::Retrigger, static_cast<uint8_t>(0x80 + x)); return true;
    case 0xA:  // fine volume up; EA0 has nothing to slide
      if (x) SetEffect(cell, Effect::VolumeSlide, static_cast<uint8_t>(x * 16 + 15));
      return true;
    case 0xB:  // fine volume down; 0xFF would read as "fine up by 15"
      if (x) SetEffect(cell, Effect::VolumeSlide, static_cast<uint8_t>(0xF0 + std::min<uint8_t>(x, 14)));
      return true;
    case 0xC: case 0xD: case 0xE:  // note cut, note delay, pattern delay
      SetEffect(cell, Effect::Special, parameter);
      return true;
    default:
      return false;
  }
}
