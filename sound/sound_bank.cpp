#include "sound/sound_bank.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "graphics/packs/reader.h"
#include "sound/sound_mixer.h"

namespace {

// The fixed positions of a bank entry's WAVE header.
constexpr size_t kFormatSizeAt = 16;
constexpr size_t kChannelsAt = 22;
constexpr size_t kRateAt = 24;
constexpr size_t kBitsAt = 34;
constexpr size_t kHeaderBytes = kBitsAt + 1;
constexpr uint64_t kChunkAfterFormatAt = 20;  // plus the "fmt " chunk's size
constexpr uint64_t kChunkHeaderBytes = 8;     // identifier, then the size

uint32_t U32At(const uint8_t* bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

int SampleWidth(const TSoundSample& sample) { return sample.sixteenBit ? 2 : 1; }
int ChannelCount(const TSoundSample& sample) { return sample.stereo ? 2 : 1; }

// One PCM value as a signed number: 16-bit little-endian signed, 8-bit
// unsigned around 128, as WAVE files hold them.
int PcmValue(const uint8_t* at, bool sixteenBit) {
  if (sixteenBit) return static_cast<int16_t>(static_cast<uint16_t>(at[0] | at[1] << 8));
  return at[0] - 128;
}

// Stores a signed value as the mixer takes it: signed 16-bit little-endian
// or signed 8-bit.
void StoreMixerValue(uint8_t* at, int value, bool sixteenBit) {
  if (sixteenBit) {
    const auto bits = static_cast<uint16_t>(value);
    at[0] = static_cast<uint8_t>(bits & 0xFF);
    at[1] = static_cast<uint8_t>(bits >> 8);
  } else {
    at[0] = static_cast<uint8_t>(static_cast<int8_t>(value));
  }
}

// Hands a bank entry to the mixer; -1 (and nothing copied) when the mixer
// gives no buffer.
int CreateMixerSample(const TSoundSample& sample) {
  unsigned char* buffer = nullptr;
  const int index = Mixer().QueltCreateSample(&buffer, static_cast<unsigned long>(sample.frames),
                                              static_cast<unsigned short>(sample.rate), sample.sixteenBit);
  if (index < 0 || buffer == nullptr) return -1;
  CopyMonoData(sample, buffer);
  return index;
}

int LoadBankEntry(int index) {
  std::vector<uint8_t> entry;
  const uint32_t size = ExtractEntry(index, entry);
  TSoundSample sample;
  if (size == 0 || !ReadSoundSample(entry.data(), size, sample)) return -1;
  return CreateMixerSample(sample);
}

// Closes the bank however its reading ends.
struct OpenBank {
  ~OpenBank() { ClosePack(); }
};

}  // namespace

bool ReadSoundSample(const uint8_t* entry, uint32_t size, TSoundSample& sample) {
  sample = TSoundSample{};
  if (entry == nullptr || size < kHeaderBytes) return false;
  sample.buffer = entry;
  sample.size = size;
  sample.stereo = entry[kChannelsAt] == 2;
  sample.rate = U32At(entry, kRateAt);
  sample.sixteenBit = entry[kBitsAt] == 16;
  const uint64_t chunk = kChunkAfterFormatAt + U32At(entry, kFormatSizeAt);
  if (chunk + kChunkHeaderBytes > size) return false;
  const uint64_t declared = U32At(entry, static_cast<size_t>(chunk + 4));
  const uint64_t present = size - (chunk + kChunkHeaderBytes);
  const uint64_t frames = std::min(declared, present) / (ChannelCount(sample) * SampleWidth(sample));
  if (frames == 0 || frames > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return false;
  sample.frames = static_cast<int32_t>(frames);
  sample.data = entry + chunk + kChunkHeaderBytes;
  return true;
}

uint32_t MonoDataBytes(const TSoundSample& sample) {
  return static_cast<uint32_t>(sample.frames) * static_cast<uint32_t>(SampleWidth(sample));
}

void CopyMonoData(const TSoundSample& sample, uint8_t* out) {
  const int width = SampleWidth(sample);
  const int channels = ChannelCount(sample);
  const uint8_t* in = sample.data;
  for (int32_t frame = 0; frame < sample.frames; ++frame) {
    int sum = 0;
    for (int channel = 0; channel < channels; ++channel, in += width) sum += PcmValue(in, sample.sixteenBit);
    StoreMixerValue(out + static_cast<size_t>(frame) * width, sum / channels, sample.sixteenBit);
  }
}

BankSamples LoadSoundBank() {
  BankSamples samples;
  samples.fill(-1);
  if (!OpenPack(kSoundBankFile, kSoundBankKey)) {
    std::fprintf(stderr, "Tervane: %s is missing or unusable; the game plays on without sound effects\n",
                 kSoundBankFile);
    return samples;
  }
  OpenBank bank;
  std::string silent;
  int silentCount = 0;
  for (int entry = 1; entry <= kBankSampleCount; ++entry) {
    samples[entry - 1] = LoadBankEntry(entry);
    if (samples[entry - 1] >= 0) continue;
    silent += (silentCount++ == 0 ? "" : ", ") + std::to_string(entry);
  }
  if (silentCount > 0) {
    std::fprintf(stderr, "Tervane: %s: no sound could be made of %s %s; %s silent\n", kSoundBankFile,
                 silentCount == 1 ? "entry" : "entries", silent.c_str(),
                 silentCount == 1 ? "that effect stays" : "those effects stay");
  }
  return samples;
}
