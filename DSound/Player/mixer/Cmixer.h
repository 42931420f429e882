// The mixing engine: output settings and the working storage of a mixing
// pass, and the pass itself, which turns the channels (model/MixerState.h)
// into PCM in the output format.
#pragma once

#include <atomic>
#include <cstdint>

#include "model/MixerState.h"

constexpr int kMixBufferEntries = 3600;  // mono samples, or 1800 stereo frames

// Format flags of MixSettings.
constexpr uint8_t kFormatStereo = 0x01;
constexpr uint8_t kFormat16Bit = 0x02;

inline uint32_t BytesPerFrame(uint8_t formatFlags) {
  return ((formatFlags & kFormatStereo) ? 2u : 1u) * ((formatFlags & kFormat16Bit) ? 2u : 1u);
}

// Output format, volumes and the working storage of a mixing pass.
struct MixSettings {
  SharedValue<uint8_t> formatFlags{kFormatStereo | kFormat16Bit};
  SharedValue<uint16_t> rate{44100};
  SharedValue<uint8_t> stereoSeparation{255};
  SharedValue<int32_t> interpolation{2};  // 0 none, 1 linear, 2 quadratic
  uint8_t outputShift = 0;                // set at each mixing call
  // Accumulators of one chunk. They are 64 bits wide so that loud settings
  // (master volumes above unity, many full-scale voices) clip at the output
  // instead of wrapping around.
  int64_t mixBuffer[kMixBufferEntries] = {};
  // The same chunk in 32 bits, used whenever no sum of the chunk can leave
  // them (the usual case: it halves the memory the voice loops touch and lets
  // them work eight frames at a time).
  int32_t narrowMixBuffer[kMixBufferEntries] = {};
  uint32_t currentMonoFactor = 0;  // factors of the voice being mixed
  uint32_t currentLeftFactor = 0;
  uint32_t currentRightFactor = 0;
  uint32_t musicScale = 0;         // set at each mixing call
  uint32_t fxScale = 0;            // set at each mixing call
  uint32_t maxFramesPerChunk = 0;  // 1800 stereo, 3600 mono
  SharedValue<uint8_t> fxVolume{128};
  SharedValue<uint8_t> musicVolume{128};
  int32_t tickCounter = 0;  // output bytes left until the next tick
  MixerState* mixerState = nullptr;
};

// Holds off mixing passes while a client changes the module or the FX channel
// table: waits (yielding) until no pass runs, then keeps the busy byte until
// it goes out of scope. Never take it inside a mixing pass (the player's tick).
class MixerClaim {
 public:
  explicit MixerClaim(MixerState& state);
  ~MixerClaim();
  MixerClaim(const MixerClaim&) = delete;
  MixerClaim& operator=(const MixerClaim&) = delete;

 private:
  MixerState& state_;
};

// Renders exactly byteCount bytes of output in the current format into output.
// Returns at once without writing when a pass is already running.
void Mix(MixSettings& settings, void* output, uint32_t byteCount);

// Sets rate, stereo and 16 bit anew; the tick counter stays a whole number of
// frames. False (nothing changed) for a rate of 0.
bool SetMixFormat(MixSettings& settings, uint16_t rate, bool stereo, bool sixteenBit);
