// The vibrato and tremolo waveforms.
#include "player/ModulePlayerWaveforms.h"

namespace quelt {

const uint8_t kHalfSine[32] = {
    0,   25,  50,  74,  98,  120, 142, 162, 180, 197, 212, 225, 236, 244, 250, 254,
    255, 254, 250, 244, 236, 225, 212, 197, 180, 162, 142, 120, 98,  74,  50,  25,
};

int WaveformValue(uint8_t waveform, uint8_t position) {
  const int index = position & 31;
  const bool secondHalf = (position & 32) != 0;
  int magnitude = 0;
  switch (waveform & 3) {
    case kWaveSine: magnitude = kHalfSine[index]; break;
    case kWaveRamp: magnitude = secondHalf ? 255 - index * 8 : index * 8; break;
    case kWaveSquare: magnitude = 255; break;
    case kWaveIndex: magnitude = index; break;
  }
  return secondHalf ? -magnitude : magnitude;
}

int WaveformOffset(uint8_t waveform, uint8_t position, int depth, int shift) {
  const int value = WaveformValue(waveform, position);
  const int swing = ((value < 0 ? -value : value) * depth) >> shift;
  return value < 0 ? -swing : swing;
}

}  // namespace quelt
