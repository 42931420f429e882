// The per-tick update of a channel after its row step: tremolo restore,
// fade-out, limits, frequency and envelopes.
#pragma once

#include <cstdint>

#include "player/ModulePlayerInternal.h"

namespace quelt {

void ChannelUpdate(const ChannelContext& context);

}  // namespace quelt
