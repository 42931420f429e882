// A mixer of its own for each test: settings and channel state wired
// together, and hand-made voices over sample data the test owns.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "mixer/Cmixer.h"
#include "mixer/CmixerSample.h"
#include "mixer/CmixerTick.h"
#include "mixer/CmixerVoice.h"

struct TestMixer {
  std::unique_ptr<MixSettings> settings = std::make_unique<MixSettings>();
  std::unique_ptr<MixerState> state = std::make_unique<MixerState>();

  TestMixer() { settings->mixerState = state.get(); }

  // Renders byteCount bytes and returns them.
  std::vector<uint8_t> Render(uint32_t byteCount) {
    std::vector<uint8_t> bytes(byteCount, 0xEE);
    Mix(*settings, bytes.data(), byteCount);
    return bytes;
  }
};

// Signed 8-bit sample data with its two guard samples, in storage of
// exactly that size (so that AddressSanitizer sees any read beyond).
inline std::vector<int8_t> Samples8(std::vector<int8_t> values) {
  values.push_back(values.back());
  values.push_back(values.back());
  return std::vector<int8_t>(values.begin(), values.end());
}

inline std::vector<int16_t> Samples16(std::vector<int16_t> values) {
  values.push_back(values.back());
  values.push_back(values.back());
  return std::vector<int16_t>(values.begin(), values.end());
}

// A voice over the given data, active, with the given factors and step.
template <typename Sample>
void SetVoice(MixChannel& channel, const std::vector<Sample>& data, uint8_t flags, int32_t step,
              uint32_t position = 0) {
  channel.data = data.data();
  channel.length = static_cast<uint32_t>(data.size() - 2);
  channel.sampleFlags = flags | (sizeof(Sample) == 2 ? kChannel16Bit : 0);
  channel.dataFlags = channel.sampleFlags;
  channel.sampleIndex = 0;
  channel.step = step;
  channel.position = position;
  channel.active = 1;
}

inline int16_t Word(const std::vector<uint8_t>& bytes, size_t index) {
  return static_cast<int16_t>(bytes[2 * index] | bytes[2 * index + 1] << 8);
}
