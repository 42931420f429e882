// RIFF WAVE files of PCM data, as the renderer writes and the tests read them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct WaveData {
  unsigned rate = 0;
  unsigned channels = 0;
  unsigned bits = 0;           // 8 (unsigned) or 16 (signed)
  std::vector<uint8_t> bytes;  // the data chunk
};

// Writes PCM bytes with a canonical 44-byte header. False on I/O errors.
bool WriteWaveFile(const std::string& fileName, const WaveData& wave);

// The canonical 44-byte header of a PCM WAVE file holding dataBytes bytes.
std::vector<uint8_t> WaveHeader(unsigned rate, unsigned channels, unsigned bits, uint32_t dataBytes);

// Writes a PCM WAVE file as its data comes, block by block; Close puts the
// sizes into the header.
class WaveFileWriter {
 public:
  bool Open(const std::string& fileName, unsigned rate, unsigned channels, unsigned bits);
  bool Append(const uint8_t* bytes, size_t count);
  bool Close();

 private:
  std::ofstream file_;
  unsigned rate_ = 0, channels_ = 0, bits_ = 0;
  uint64_t dataBytes_ = 0;
};

// Reads a PCM WAVE file (8/16-bit integer, or 32-bit float converted to
// 16-bit). False when the file cannot be read or is not such a file.
bool ReadWaveFile(const std::string& fileName, WaveData& wave);

// The same from the file's bytes.
bool ParseWave(const uint8_t* bytes, size_t size, WaveData& wave);
