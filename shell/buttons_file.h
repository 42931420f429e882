// The numbers of a mode's "buttons.inf": the count on the first line, then
// per button X, Y, Width, Height, hot key and transparent flag, the rest of
// each line skipped. Malformed text raises the run-time input/output error.
#pragma once

#include "platform/files.h"
#include "shell/mode.h"

// The button count, limited to 0..32 (a larger count would not fit the
// mode's buttons).
int ReadButtonCount(platform::TextNumberReader& reader);
// Reads one button's line into its position, size and hot key; returns the
// transparent flag.
bool ReadButtonLine(platform::TextNumberReader& reader, tbutton& button);
