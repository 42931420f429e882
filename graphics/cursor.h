// The software cursor: a 48 x 48 picture drawn on the visible surface with a
// save-under, at the last pointer position. Which picture it shows is the
// shell's to say (the hand over a hand-cursor button).
#pragma once

#include <cstdint>

#include "graphics/display.h"

extern SurfaceRef CurrentCursorImage;  // 64 x 64, black transparent
extern SurfaceRef CursorSaveUnder;     // 64 x 64
extern SurfaceRef CursorImages[10];    // 0: "Mouse\cursor"; 1..9 "Mouse\mouseN.bmp" or none
extern SurfaceRef HandCursorImage;     // "Mouse\hand.bmp" or none
extern bool CursorVisible;
extern int32_t CursorIndex;

// The last pointer position in screen pixels; the cursor is drawn there.
extern int32_t MouseX;
extern int32_t MouseY;

// While the rule answers true, the cursor shows the hand picture (when one
// was loaded) instead of the current one. Without a rule it never does.
using HandCursorRule = bool (*)();
void SetHandCursorRule(HandCursorRule rule);

void SelectCursor(int index);
// Erases the cursor, moves it and draws it again at once.
void MoveCursor(int x, int y);
// Only stores the position; the cursor is drawn there the next time.
void SetCursorPosition(int x, int y);
void DrawCursor(Surface& surface);
void EraseCursor(Surface& surface);
// Draws the current cursor picture into the cursor image surface again
// (after that surface was restored).
void ReloadCursorImage();
