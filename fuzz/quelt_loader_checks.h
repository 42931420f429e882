// What the loader harnesses check on every module a loader accepts: the
// model is as consistent as the player is promised, every byte of pattern
// and sample data (guard samples included) is readable, and the module
// survives a QLT round trip unchanged.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "DSound/Player/loaders/CModQLT.h"
#include "DSound/Player/model/Cmodule.h"
#include "DSound/Player/model/Cpattern.h"
#include "DSound/Player/loaders/ModuleCheck.h"
#include "DSound/Player/loaders/ModuleLoading.h"

namespace fuzzing {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// Reads every sample point and both guard samples.
inline int SumSample(const SampleSlot& sample) {
  int sum = 0;
  if (sample.length == 0) return 0;
  for (uint32_t i = 0; i < sample.length + 2; ++i)
    sum += sample.Is16Bit() ? sample.Data16()[i] : sample.Data8()[i];
  return sum;
}

inline void CheckLoadedModule(ModuleSlot& module) {
  Require(module.loaded);
  Require(module.orders.size() == module.songLength);
  Require(module.instruments.size() == module.instrumentCount);
  Require(module.samples.size() == module.sampleCount);
  Require(module.patterns.size() == module.patternCount);
  Require(module.channelCount <= kModuleChannels && module.tempo >= kMinTempo);
  volatile int sink = 0;
  for (const SampleSlot& sample : module.samples) {
    Require(sample.loopStart <= sample.loopEnd && sample.loopEnd <= sample.length);
    Require(sample.length <= kMaxSampleLength && sample.volume <= kMaxVolume);
    sink = sink + SumSample(sample);
  }
  for (const Instrument& instrument : module.instruments) {
    for (uint8_t entry : instrument.keymap)
      Require(entry < module.sampleCount || entry == kKeymapNoSample);
    for (const Envelope* envelope : {&instrument.volumeEnvelope, &instrument.panningEnvelope}) {
      Require(envelope->points.size() == 2u * envelope->count);
      Require(envelope->count == 0 || (envelope->sustain < envelope->count &&
                                        envelope->loopStart < envelope->count &&
                                        envelope->loopEnd < envelope->count));
    }
  }
  for (PackedPattern& pattern : module.patterns) {
    StartDecoding(pattern);
    DecodedRow row;
    for (uint32_t i = 0; i < pattern.rowCount; ++i) {
      Require(DecodeRow(pattern, row));
      for (int entry = 0; entry < row.count; ++entry) sink = sink + row.entries[entry].cell.note;
    }
    Require(!DecodeRow(pattern, row));
  }
  // Reloaded through the QLT loader itself: the probe order would take a
  // QLT file that happens to hold "M.K." at byte 1080 for a MOD.
  const std::vector<uint8_t> qlt = WriteModuleQLT(module);
  ModuleSlot copy;
  Require(LoadModuleQLT(copy, qlt) && CheckModule(copy));
  Require(WriteModuleQLT(copy) == qlt);
}

// Loads the bytes through one loader and the check every module passes.
template <typename Loader>
void FuzzLoader(Loader loader, const uint8_t* data, size_t size) {
  ModuleSlot module;
  if (!loader(module, std::span<const uint8_t>(data, size))) return;
  if (!CheckModule(module)) return;
  module.loaded = 1;
  CheckLoadedModule(module);
}

}  // namespace fuzzing
