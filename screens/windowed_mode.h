// The base of every screen shown as a framed window with a drop shadow over a
// frozen picture of the screen beneath it (message box, options, map
// selection and the end-of-map screens). The window's size comes from the
// screen's "size.inf"; it sits centred horizontally, 50 pixels above the
// vertical centre but never above the top of the screen.
#pragma once

#include <cstdint>

#include "screens/window_size.h"
#include "shell/mode.h"

class tWindowedMode : public tmode {
 public:
  void Enter() override;
  void DrawBackground() override;
  void Load() override;

  // The screen beneath with the window and its shadow composed into it;
  // rebuilt at every Enter.
  SurfaceRef backdrop;
  uint8_t shadowFlag = 0;  // 1: draw the drop shadow
};

struct WindowPlace {
  int32_t x = 0;
  int32_t y = 0;
};

// Where a window of the given size sits on the 800 x 600 screen.
WindowPlace PlaceWindow(const WindowSize& size);

// Darkens by 56 the strip right of the window (8 columns, from 5 rows below
// its top to 5 rows below its bottom) and the strip below it (6 rows, from 7
// columns right of its left edge); only pixels inside the surface change.
void DrawDropShadow(Surface& surface, int x, int y, int width, int height);
