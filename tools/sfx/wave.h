// RIFF WAVE files of 16-bit mono PCM: a 44-byte header ("fmt " chunk of 16
// bytes, then the "data" chunk) followed by the samples, little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr size_t kWaveHeaderBytes = 44;

std::vector<uint8_t> MakeWave(const std::vector<int16_t>& pcm, uint32_t rate);

// Writes a whole file; throws runtime_error naming the file on failure.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace synth
