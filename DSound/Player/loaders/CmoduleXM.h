// The XM loader: header, patterns (expanded and packed), instruments with
// their envelopes and keymaps, delta-coded samples.
#pragma once

#include <cstdint>
#include <span>

#include "model/Cmodule.h"

// False at once when the bytes do not start with the XM id; false too for a
// broken file.
bool LoadModuleXM(ModuleSlot& module, std::span<const uint8_t> file);

// Translates an XM effect and parameter into the internal effect numbers.
// Effects the player does not run become effect 255 (none).
void TranslateEffectXM(uint8_t effect, uint8_t parameter, PatternCell& cell);
// The XM volume column: 0x10-0x50 become volumes 0-64, 0x60 and above the
// volume-column commands 0x50 and above; 0 means no volume (255).
uint8_t TranslateVolumeXM(uint8_t volume);
