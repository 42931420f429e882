// Where a music voice gets its sample (the module's sample table), and the
// limits that make a channel's sample geometry safe to mix.
#include "mixer/CmixerSample.h"

#include <algorithm>

bool CopyModuleSample(const ModuleSlot& module, MixChannel& channel) {
  if (channel.sampleIndex >= module.samples.size()) return false;
  const SampleSlot& sample = module.samples[channel.sampleIndex];
  if (sample.length == 0 || sample.Data() == nullptr) return false;
  channel.data = sample.Data();
  channel.length = sample.length;
  channel.loopStart = sample.loopStart;
  channel.loopEnd = sample.loopEnd;
  channel.sampleFlags = sample.flags;
  return true;
}

void LimitChannelSample(MixChannel& channel) {
  channel.dataFlags = channel.sampleFlags & (kChannelLoop | kChannelPingPong | kChannel16Bit);
  channel.length = std::min(channel.length, kMaxMixLength);
  channel.loopEnd = std::min(channel.loopEnd, channel.length);
  if (channel.loopStart >= channel.loopEnd) channel.dataFlags &= ~(kChannelLoop | kChannelPingPong);
  if (channel.startOffset > channel.length) channel.startOffset = channel.length;
}
