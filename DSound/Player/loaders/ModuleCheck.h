// The check every freshly loaded module passes before anything plays.
#pragma once

#include "model/Cmodule.h"

// The pass every loaded module goes through: counts against arrays, patterns
// against their rows, keymaps against the sample table, envelope points,
// loop points and the player's limits (see ModuleSlot). Values the player
// cannot use are clamped; false for a model that cannot be made consistent.
bool CheckModule(ModuleSlot& module);
