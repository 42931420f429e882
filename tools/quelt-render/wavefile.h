// RIFF WAVE files of PCM data, as the renderer writes and the tests read them.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Reads a PCM WAVE file (8/16-bit integer, or 32-bit float converted to
// 16-bit). False when the file cannot be read or is not such a file.
bool ReadWaveFile(const std::string& fileName, WaveData& wave);

// The same from the file's bytes.
bool ParseWave(const uint8_t* bytes, size_t size, WaveData& wave);
