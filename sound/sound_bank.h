// The sound bank "sounds.dat": a resource pack whose entries 1 to 8 are the
// game's eight effects, each a RIFF WAVE file read at fixed positions (the
// "fmt " chunk's size at 16, channels at 22, rate at 24, bits at 34, and the
// chunk after "fmt ", taken to be the data, at 20 + that size). Each becomes
// a sample of the mixer; the game keeps only the sample numbers.
#pragma once

#include <array>
#include <cstdint>

constexpr char kSoundBankFile[] = "sounds.dat";
constexpr uint16_t kSoundBankKey = 0;
constexpr int kBankSampleCount = 8;

// The game's samples by bank entry (index 0 = entry 1); -1 for none.
using BankSamples = std::array<int, kBankSampleCount>;

// One entry while it is being loaded.
struct TSoundSample {
  uint32_t rate = 0;
  bool stereo = false;
  bool sixteenBit = false;
  int32_t frames = 0;
  const uint8_t* data = nullptr;    // the first PCM byte, inside `buffer`
  const uint8_t* buffer = nullptr;  // the whole unpacked entry
  uint32_t size = 0;                // of the unpacked entry
};

// Takes an unpacked entry apart. False when it is too short for the fixed
// positions or holds no whole frame. A data chunk that claims more bytes
// than the entry holds is cut to what is there.
bool ReadSoundSample(const uint8_t* entry, uint32_t size, TSoundSample& sample);

// Bytes of mono mixer data the sample makes: a frame of 8- or 16-bit PCM.
uint32_t MonoDataBytes(const TSoundSample& sample);

// Writes the sample as the mixer plays it, MonoDataBytes bytes: 16-bit data
// as it is, 8-bit data (unsigned in a WAVE file) made signed, stereo frames
// mixed down to one channel.
void CopyMonoData(const TSoundSample& sample, uint8_t* out);

// Reads entries 1 to 8 of the bank into mixer samples. A bank that cannot be
// opened, or an entry that holds no sound, is named in one line on standard
// error, and its samples stay -1; the game plays on without them.
BankSamples LoadSoundBank();
