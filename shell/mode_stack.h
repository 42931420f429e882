// The mode stack: its top is the current mode. Every operation enters the
// mode that is current afterwards; popping the last mode quits the game.
#pragma once

#include "shell/mode.h"

constexpr int kModeStackCapacity = 1024;

tmode* CurrentMode();
extern tmode* PreviousMode;
int ModeStackDepth();
void PushMode(tmode* mode);
void SwitchMode(tmode* mode);
void PopMode();
// Empties the stack without calling anything (tests).
void ResetModeStack();
