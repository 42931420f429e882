// The game's screen modes, one object each, by role: the table the program
// entry hands to the start-up.
#pragma once

#include "shell/screen_modes.h"

ScreenModes ScreenModeTable();
