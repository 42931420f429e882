// Sound banks for the sound side's tests: RIFF WAVE entries with any header
// values, packed into "sounds.dat" by the pack builder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/sound_bank.h"
#include "support/scratch_folder.h"
#include "tools/packer/packwriter.h"

namespace sound_testing {

inline void Put16(std::vector<uint8_t>& bytes, uint32_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}
inline void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
  Put16(bytes, value & 0xFFFF);
  Put16(bytes, value >> 16);
}

struct WaveShape {
  uint16_t channels = 1;
  uint32_t rate = 22050;
  uint16_t bits = 16;
  uint32_t formatSize = 16;    // S; above 16 the format chunk carries extra bytes
  int64_t declaredSize = -1;   // D; -1: the data's own size
};

// A RIFF WAVE file as the bank holds it.
inline std::vector<uint8_t> Wave(const WaveShape& shape, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = {'R', 'I', 'F', 'F'};
  Put32(bytes, static_cast<uint32_t>(20 + shape.formatSize + data.size()));
  bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(bytes, shape.formatSize);
  const uint16_t align = static_cast<uint16_t>(shape.channels * shape.bits / 8);
  Put16(bytes, 1);
  Put16(bytes, shape.channels);
  Put32(bytes, shape.rate);
  Put32(bytes, shape.rate * align);
  Put16(bytes, align);
  Put16(bytes, shape.bits);
  bytes.resize(20 + shape.formatSize, 0);
  bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
  Put32(bytes, shape.declaredSize < 0 ? static_cast<uint32_t>(data.size()) : static_cast<uint32_t>(shape.declaredSize));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

inline std::vector<uint8_t> Counting(size_t count, int seed) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + seed);
  return bytes;
}

inline std::vector<uint8_t> Pcm16(const std::vector<int16_t>& values) {
  std::vector<uint8_t> bytes;
  for (int16_t value : values) Put16(bytes, static_cast<uint16_t>(value));
  return bytes;
}

inline void WriteBank(const testing_support::ScratchFolder& folder, const std::vector<std::vector<uint8_t>>& entries) {
  std::vector<PackInput> inputs;
  for (size_t i = 0; i < entries.size(); ++i) {
    inputs.push_back({"sound" + std::to_string(i + 1), entries[i], i % 2 == 0 ? kMethodLzw : kMethodStored, 0});
  }
  folder.Write(kSoundBankFile, BuildPack(inputs, {}));
}

// A bank of eight short, plain 16-bit mono effects, and a file by the
// music's name (a recording mixer only looks whether it is there).
inline void WriteSoundFiles(const testing_support::ScratchFolder& folder) {
  WriteBank(folder, std::vector<std::vector<uint8_t>>(kBankSampleCount, Wave({}, Counting(64, 9))));
  folder.Write("music.xm", {});
}

}  // namespace sound_testing
