// The program's start-up, after the program entry has connected the game's
// sound and handled the installer's switches: the program directory, the
// best scores, the window, the display, the splash, then the main loop for
// ever.
#pragma once

#include "shell/screen_modes.h"

// Never returns normally; a return value is a failure before the window.
int RunGame(int argc, char** argv, const ScreenModes& modes);
