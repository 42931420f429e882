// What the main screen's buttons and keys do: a new map, the screens pushed
// over it (options, best scores, help, map selection), the exit, and the two
// keys that show the island's number (F11) and open a cell the solver proves
// safe (F12).
#pragma once

#include "shell/mode.h"

// Pushes a screen over the main one; a screen this program was built
// without (an empty role of the mode table) is passed over.
void PushIfPresent(tmode* screen);

// The main screen's button event; numbers without a button do nothing.
void RunMainEvent(int event);

// F11: the message box with "GameMode=" and the island's number.
void ShowIslandNumber();
// F12: opens the cell the solver names, or says why there is none.
void OpenHintCell();
