// "Dusk": the game's music, an original piece for this module. Calm and a
// little eerie, in D minor: an intro, two statements of the theme, an eerie
// middle with a whistle, a slower bridge, the theme again and a turnaround
// that glides back into the theme at the restart position.
#pragma once

#include "tools/xmwriter/xmmodule.h"

namespace music {

constexpr int kChannelCount = 12;
constexpr int kSpeed = 6;
constexpr int kTempo = 80;
// The bridge moves slower with more ticks per row: 8 ticks at 96 beats per
// minute make rows of the same length as 6 ticks at 72.
constexpr int kBridgeSpeed = 8;
constexpr int kBridgeTempo = 96;
constexpr int kTurnaroundTempo = 76;

xm::Module ComposeDusk();

}  // namespace music
