// Where a music voice gets its sample: the module's sample table.
#include "CmixerInternal.h"
#include "Cmodule.h"

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
