// What the parts of the module player share: the channel being worked on,
// with the song it belongs to.
#pragma once

#include <cstdint>

#include "model/Cmodule.h"
#include "model/Cpattern.h"
#include "model/MixerState.h"

namespace quelt {

constexpr uint16_t kBeforeFirstRow = 0xFFFF;
constexpr uint16_t kEnvelopeRestartTick = 0xFFFF;
constexpr uint8_t kJumpToOrder = 2;    // jump mode: play the order index as it stands
constexpr uint8_t kJumpToNextOrder = 3;

// The channel a step works on, with the song it belongs to.
struct ChannelContext {
  MixerState& state;
  const ModuleSlot& module;
  MixChannel& channel;
};

}  // namespace quelt
