// The vibrato and tremolo waveforms: 64 positions per cycle, the second half
// negative.
#pragma once

#include <cstdint>

namespace quelt {

enum Waveform : uint8_t {
  kWaveSine = 0,
  kWaveRamp = 1,
  kWaveSquare = 2,
  kWaveIndex = 3,
};

extern const uint8_t kHalfSine[32];

// Signed value (-255..255) of a waveform (low two bits used) at a position
// (only its low six bits matter).
int WaveformValue(uint8_t waveform, uint8_t position);

// The swing of a vibrato or tremolo: (|value| x depth) >> shift, with the
// sign of the value.
int WaveformOffset(uint8_t waveform, uint8_t position, int depth, int shift);

}  // namespace quelt
