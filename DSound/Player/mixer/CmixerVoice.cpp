// The voice loops: one template over interpolation, stereo and sample width,
// instantiated into a table; and the walk from loop point to loop point that
// runs them without per-sample tests.
#include "mixer/CmixerVoice.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

#include "mixer/CmixerSample.h"

namespace {

using VoiceLoop = uint32_t (*)(const void* data, uint32_t position, int32_t step, uint32_t frames,
                               int64_t* accumulators, const uint32_t factors[3]);

template <int Interpolation, bool Stereo, bool SixteenBit>
uint32_t RunVoice(const void* data, uint32_t position, int32_t step, uint32_t frames,
                  int64_t* accumulators, const uint32_t factors[3]) {
  using Sample = std::conditional_t<SixteenBit, int16_t, int8_t>;
  const Sample* samples = static_cast<const Sample*>(data);
  const int64_t mono = factors[0];
  const int64_t left = factors[1];
  const int64_t right = factors[2];
  for (uint32_t frame = 0; frame < frames; ++frame) {
    const uint32_t index = position >> 11;
    const int32_t fraction = static_cast<int32_t>(position & 0x7FF);
    const int32_t x0 = samples[index];
    int32_t y;
    if constexpr (Interpolation == 0) {
      y = x0;
    } else if constexpr (Interpolation == 1) {
      const int32_t x1 = samples[index + 1];
      y = x0 + (((x1 - x0) * fraction) >> 11);
    } else {
      const int32_t x1 = samples[index + 1];
      const int32_t x2 = samples[index + 2];
      // The parabola through the three samples, evaluated at the fraction.
      y = x0 + (((((fraction * (x2 + x0 - 2 * x1)) >> 11) + 4 * x1 - x2 - 3 * x0) * fraction) >> 12);
    }
    if constexpr (Stereo) {
      accumulators[0] += y * left;
      accumulators[1] += y * right;
      accumulators += 2;
    } else {
      accumulators[0] += y * mono;
      accumulators += 1;
    }
    position += static_cast<uint32_t>(step);
  }
  return position;
}

template <int Interpolation>
constexpr VoiceLoop kLoopsOf[2][2] = {
    {RunVoice<Interpolation, false, false>, RunVoice<Interpolation, false, true>},
    {RunVoice<Interpolation, true, false>, RunVoice<Interpolation, true, true>},
};

// Indexed by interpolation, stereo, 16-bit data.
constexpr const VoiceLoop (*kVoiceLoops[3])[2] = {kLoopsOf<0>, kLoopsOf<1>, kLoopsOf<2>};

// Frames whose position stays on this side of the target: forward up to and
// including the target, backward while the position is still above it.
uint32_t FramesUntil(uint32_t position, int32_t step, uint32_t target) {
  const uint64_t stride = static_cast<uint64_t>(std::llabs(step));
  if (step > 0) {
    return position > target ? 0 : static_cast<uint32_t>((target - position) / stride + 1);
  }
  return position < target ? 0 : static_cast<uint32_t>((position - target) / stride);
}

struct LoopWalk {
  uint32_t position;
  int32_t step;
  uint32_t target;
  bool ended;
};

// Decides where the next run goes: wraps or reverses at the loop points, or
// ends a sample without loop.
LoopWalk NextTarget(const MixChannel& channel, uint32_t position, int32_t step) {
  if (!(channel.dataFlags & kChannelLoop)) {
    const uint32_t end = channel.length * 2048 - 1;
    return {position, step, end, position >= end};
  }
  const uint32_t end = channel.loopEnd * 2048 - 1;
  const uint32_t restart = channel.loopStart << 11;
  if (!(channel.dataFlags & kChannelPingPong)) {
    return {position >= end ? restart : position, step, end, false};
  }
  if (step > 0) {
    // Turning back: a step longer than a sample may have run past the end of
    // the data; the voice turns from its last sample then (two guard samples
    // cover only what interpolation reads beyond it).
    const uint32_t lastReadable = channel.length * 2048 - 1;
    if (position >= end) return {std::min(position, lastReadable), -step, restart, false};
    return {position, step, end, false};
  }
  if (static_cast<int64_t>(restart) - step < static_cast<int64_t>(position)) {
    return {position, step, restart, false};
  }
  return {restart, -step, end, false};
}

}  // namespace

void MixVoice(MixSettings& settings, MixChannel& channel, int64_t* accumulators, uint32_t frames,
              bool stereo, int interpolation) {
  if (channel.sampleIndex == kNoSample || channel.length == 0 || channel.data == nullptr) return;
  settings.currentMonoFactor = channel.monoFactor;
  settings.currentLeftFactor = channel.leftFactor;
  settings.currentRightFactor = channel.rightFactor;
  const uint32_t factors[3] = {channel.monoFactor, channel.leftFactor, channel.rightFactor};
  const VoiceLoop loop = kVoiceLoops[std::clamp(interpolation, 0, 2)][stereo ? 1 : 0]
                                    [(channel.dataFlags & kChannel16Bit) ? 1 : 0];
  uint32_t position = channel.position;
  int32_t step = channel.step;
  // Only a ping-pong loop runs backwards.
  if (step < 0 && (channel.dataFlags & (kChannelLoop | kChannelPingPong)) !=
                      (kChannelLoop | kChannelPingPong)) {
    step = -step;
  }
  bool ended = step == 0;
  while (frames > 0 && !ended) {
    const LoopWalk walk = NextTarget(channel, position, step);
    position = walk.position;
    step = walk.step;
    const uint32_t run = walk.ended ? 0 : std::min(FramesUntil(position, step, walk.target), frames);
    if (run == 0) {
      ended = true;
      break;
    }
    position = loop(channel.data, position, step, run, accumulators, factors);
    accumulators += stereo ? 2 * run : run;
    frames -= run;
  }
  channel.position = position;
  channel.step = step;
  if (ended) channel.active = 0;
}
