// The volume-column commands, run on every tick of a row.
#pragma once

#include <cstdint>

#include "player/ModulePlayerInternal.h"

namespace quelt {

void VolumeColumnStep(const ChannelContext& context);

}  // namespace quelt
