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

std::vector<xm::Instrument> MakeInstruments();

}  // namespace music
