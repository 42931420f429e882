// The module's instruments, each sampled from the synthesiser: a slow pad,
// a round bass, a glass bell, a whistle, a plucked string, a soft kick, a
// shaker and the surf of the sea. Numbers are the instrument numbers the
// score uses.
#pragma once

#include <vector>

#include "tools/xmwriter/xmmodule.h"

namespace music {

enum InstrumentNumber : int {
  kPad = 1,
  kBass,
  kBell,
  kWhistle,
  kPluck,
  kKick,
  kShaker,
  kSurf,
};

// Ticks of one wave of the surf's looping envelopes: two bars, so that every
// pattern starts on a wave's first tick.
constexpr uint16_t kSurfWaveTicks = 192;

std::vector<xm::Instrument> MakeInstruments();

}  // namespace music
