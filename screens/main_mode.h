// The main game screen, tMainMode: the island, the menu, the two counters
// and the status line. It stays at the bottom of the mode stack; every other
// screen is pushed over it and comes back to it.
//
// What the other screens use of it: its one object (they switch back to it),
// its event that starts a new map, the two ticks at which a pause over it
// began (options and help share one, the scores screen has its own) and the
// resumption of the game clock when such a screen is left.
#pragma once

#include <cstdint>

#include "shell/mode.h"

// The main screen's button event that prepares a new map.
constexpr int kMainEventNewMap = 1;

// Ticks at which the options or help screen, and the scores screen, were
// opened over the main screen.
extern uint32_t OptionsHelpPauseTick;
extern uint32_t ScoresPauseTick;

// Leaves the time since pauseTick out of the game clock: while the clock
// runs (started and not ended), its start moves forward by that time.
void ResumeGameClock(uint32_t pauseTick);

class tMainMode final : public tmode {
 public:
  void Load() override;
};

// The main screen's one object.
extern tMainMode MainMode;
