// The effects, one small handler per internal effect number.
#pragma once

#include <cstdint>

#include "player/ModulePlayerInternal.h"

namespace quelt {

void EffectStep(const ChannelContext& context);

// Shared by the effects and the volume column.
void MoveTowardTarget(MixChannel& channel);
void VibratoSwing(const ChannelContext& context, int shift);

}  // namespace quelt
