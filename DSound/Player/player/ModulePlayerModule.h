// Lookups in the module being played: null or kNoSample for anything out of
// range.
#pragma once

#include <cstdint>

#include "player/ModulePlayerInternal.h"

namespace quelt {

constexpr uint8_t kOrderSkipMarker = 254;

const Instrument* FindInstrument(const ModuleSlot& module, uint16_t index);
const SampleSlot* FindSample(const ModuleSlot& module, uint16_t index);
// The sample an instrument plays for a note (the last keymap entry for notes
// above the keymap), or kNoSample when that is not a sample of the module.
uint16_t KeymapSample(const ModuleSlot& module, const Instrument& instrument, uint8_t note);
// The pattern an order entry plays, or null past the song or for an entry
// that is not a pattern (the skip marker among them).
PackedPattern* OrderPattern(ModuleSlot& module, uint16_t orderIndex);
bool IsSkipMarker(const ModuleSlot& module, uint16_t orderIndex);

}  // namespace quelt
