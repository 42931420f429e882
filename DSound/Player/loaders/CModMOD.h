// The MOD loader: four-channel, 31-sample modules with the "M.K." id.
#pragma once

#include <cstdint>
#include <span>

#include "model/Cmodule.h"

// False at once when the id at byte 1080 is not "M.K."; false too for a
// broken file.
bool LoadModuleMOD(ModuleSlot& module, std::span<const uint8_t> file);

// The internal note of an Amiga period (37-72), or 255 when the period is
// not in the table.
uint8_t NoteFromPeriodMOD(uint16_t period);
// Translates a MOD effect and parameter into the internal effect numbers.
// Effects the player does not run become effect 255 (none).
void TranslateEffectMOD(uint8_t effect, uint8_t parameter, PatternCell& cell);
