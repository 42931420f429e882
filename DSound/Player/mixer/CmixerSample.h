// The sample a voice plays: where a music voice gets it, and the limits that
// keep its geometry inside what the voice loops can address.
#pragma once

#include <cstdint>

#include "model/Cmodule.h"
#include "model/MixerState.h"

// Largest sample length the 21.11 positions can address.
constexpr uint32_t kMaxMixLength = (1u << 21) - 2;

// Makes a channel's sample geometry safe to mix: takes the data flags from
// the sample flags, keeps the loop inside the sample (or drops it), and
// positions within the 21-bit sample index.
void LimitChannelSample(MixChannel& channel);

// Copies data, length, loop points and flags of the channel's sample out of
// the module; false when the module has no such sample.
bool CopyModuleSample(const ModuleSlot& module, MixChannel& channel);
