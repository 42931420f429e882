// The voice loops: one template over interpolation, stereo and sample width,
// instantiated into a table; and the walk from loop point to loop point that
// runs them without per-sample tests.
#include "mixer/CmixerVoice.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>

#include "mixer/CmixerSample.h"
#include "mixer/CmixerVoiceLoops.h"
#include "mixer/CmixerVoiceVector.h"

namespace {

template <typename Accumulator>
constexpr VoiceLoopTable<Accumulator> PortableLoops() {
  VoiceLoopTable<Accumulator> table;
  SetPortableLoops<0>(table);
  SetPortableLoops<1>(table);
  SetPortableLoops<2>(table);
  return table;
}

constexpr VoiceLoopTable<int64_t> kWideLoops = PortableLoops<int64_t>();
constexpr VoiceLoopTable<int32_t> kNarrowPortableLoops = PortableLoops<int32_t>();

VoiceLoopSet BestLoopSet() {
#if defined(__x86_64__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? VoiceLoopSet::Avx2 : VoiceLoopSet::Sse2;
#else
  return VoiceLoopSet::Portable;
#endif
}

// Set at start-up; tests and benchmarks may choose others between passes.
std::atomic<VoiceLoopSet> chosenLoops{BestLoopSet()};

const VoiceLoopTable<int32_t>& NarrowLoops() {
#if defined(__x86_64__)
  const VoiceLoopSet set = chosenLoops.load(std::memory_order_relaxed);
  if (set == VoiceLoopSet::Avx2) return Avx2VoiceLoops();
  if (set == VoiceLoopSet::Sse2) return Sse2VoiceLoops();
#endif
  return kNarrowPortableLoops;
}

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

template <typename Accumulator>
void WalkVoice(MixSettings& settings, MixChannel& channel, Accumulator* accumulators, uint32_t frames,
               bool stereo, int interpolation, const VoiceLoopTable<Accumulator>& table) {
  if (channel.sampleIndex == kNoSample || channel.length == 0 || channel.data == nullptr) return;
  settings.currentMonoFactor = channel.monoFactor;
  settings.currentLeftFactor = channel.leftFactor;
  settings.currentRightFactor = channel.rightFactor;
  const uint32_t factors[3] = {channel.monoFactor, channel.leftFactor, channel.rightFactor};
  const VoiceLoop<Accumulator> loop =
      table.loops[std::clamp(interpolation, 0, 2)][stereo ? 1 : 0][(channel.dataFlags & kChannel16Bit) ? 1 : 0];
  const VoiceData voice{channel.data, channel.length};
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
    position = loop(voice, position, step, run, accumulators, factors);
    accumulators += stereo ? 2 * run : run;
    frames -= run;
  }
  channel.position = position;
  channel.step = step;
  if (ended) channel.active = 0;
}

}  // namespace

void MixVoice(MixSettings& settings, MixChannel& channel, int64_t* accumulators, uint32_t frames,
              bool stereo, int interpolation) {
  WalkVoice(settings, channel, accumulators, frames, stereo, interpolation, kWideLoops);
}

void MixVoice(MixSettings& settings, MixChannel& channel, int32_t* accumulators, uint32_t frames,
              bool stereo, int interpolation) {
  WalkVoice(settings, channel, accumulators, frames, stereo, interpolation, NarrowLoops());
}

int64_t VoiceSumBound(const MixChannel& channel, bool stereo, int interpolation) {
  const uint32_t factor = stereo ? std::max(channel.leftFactor, channel.rightFactor) : channel.monoFactor;
  return MaxInterpolated(std::clamp(interpolation, 0, 2), channel.dataFlags & kChannel16Bit) * factor;
}

void SelectVoiceLoops(VoiceLoopSet set) { chosenLoops.store(set, std::memory_order_relaxed); }

VoiceLoopSet SelectedVoiceLoops() { return chosenLoops.load(std::memory_order_relaxed); }
