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
constexpr int kBridgeTempo = 72;

xm::Module ComposeDusk();

}  // namespace music
