// Bounded lookups into the module being played. Cell and order values come
// from files, so every index is checked here once.
#include "player/ModulePlayerModule.h"

#include <algorithm>

namespace quelt {

const Instrument* FindInstrument(const ModuleSlot& module, uint16_t index) {
  return index < module.instruments.size() ? &module.instruments[index] : nullptr;
}

const SampleSlot* FindSample(const ModuleSlot& module, uint16_t index) {
  return index < module.samples.size() ? &module.samples[index] : nullptr;
}

uint16_t KeymapSample(const ModuleSlot& module, const Instrument& instrument, uint8_t note) {
  const int key = std::clamp<int>(note, 1, kKeymapNotes) - 1;
  const uint8_t sample = instrument.keymap[key];
  return sample < module.samples.size() ? sample : kNoSample;
}

namespace {

bool OrderInSong(const ModuleSlot& module, uint16_t orderIndex) {
  return orderIndex < module.songLength && orderIndex < module.orders.size();
}

}  // namespace

PackedPattern* OrderPattern(ModuleSlot& module, uint16_t orderIndex) {
  if (!OrderInSong(module, orderIndex)) return nullptr;
  const uint8_t pattern = module.orders[orderIndex];
  return pattern < module.patterns.size() ? &module.patterns[pattern] : nullptr;
}

bool IsSkipMarker(const ModuleSlot& module, uint16_t orderIndex) {
  return OrderInSong(module, orderIndex) && module.orders[orderIndex] == kOrderSkipMarker;
}

}  // namespace quelt
