// The score clock of the map in play: the tick of the first opening and the
// tick at which the map ended, read as whole seconds.
#pragma once

#include <cstdint>

extern int32_t StartTick;  // tick of the first opening; 0 while the clock has not started
extern int32_t EndTick;    // tick at which the game ended

// Seconds of the map in play, the first partial second counting as 1.
int32_t ElapsedSeconds();
