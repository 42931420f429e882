// What the main screen's buttons and keys do: a new map, the screens pushed
// over it (options, best scores, help, map selection), the exit, and the two
// keys that show the island's number (F11) and open a cell the solver proves
// safe (F12).
#pragma once

#include <string>

#include "shell/mode.h"

// A colour as 8-bit red, green and blue.
struct MessageColour {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// Pushes a screen over the main one; a screen this program was built
// without (an empty role of the mode table) is passed over.
void PushIfPresent(tmode* screen);

// The main screen's button event; numbers without a button do nothing.
void RunMainEvent(int event);

// F11: the message box with "GameMode=" and the island's number.
void ShowIslandNumber();
// F12: opens the cell the solver names, or says why there is none.
void OpenHintCell();

// Shows the message box over the main screen with one line (line2 empty) or
// two, in the given text and shade colours.
void ShowMainMessage(const std::string& line1, const std::string& line2, MessageColour text,
                     MessageColour shade);
