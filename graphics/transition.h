// Transitions between screens: the new mode's first frame (new-screen
// buffer) replaces the old picture (old-screen buffer) on the visible
// surface over a given number of milliseconds.
//
// Effects: 1 noise dissolve, 4 grid dissolve, 5 window drops in from the
// top, 6 window slides out at the bottom, 7 comb slide, 8 cross-and-noise
// dissolve, 9 clock-and-noise dissolve; 0, 2, 3 and above 9 run nothing.
#pragma once

#include <cstdint>
#include <string_view>

// A screen's area on the 800 x 600 screen (a mode's X, Y, Width, Height).
struct ScreenArea {
  int x = 0;
  int y = 0;
  int width = 800;
  int height = 600;
};

// What the choice of a transition knows of a screen: its mode's name and its
// area. An empty name stands for no screen at all.
struct TransitionScreen {
  std::string_view name;
  ScreenArea area;
};

// Locked pixel memory of one surface, as the effects' passes walk it.
struct PixelPlane {
  uint16_t* pixels;
  int pitchPixels;
};

// The next dissolve paints a band of this colour just ahead of the switching
// pixels (over pixels that change only); -1 = none. Reset after that dissolve.
extern int16_t EdgeColour;
extern uint16_t EdgeWidth;

// Runs an effect: the cursor is erased from the old-screen buffer first and
// drawn on the visible surface afterwards. Effect 5 moves the new screen's
// area in, effect 6 the old screen's area out.
void PlayTransition(int effect, int duration, const ScreenArea& newArea = ScreenArea{},
                    const ScreenArea& oldArea = ScreenArea{});

// The effect that shows the current screen after the previous one, chosen
// from their names; run by a mode's Show.
void ChooseTransition(const TransitionScreen& previous, const TransitionScreen& current);

struct TransitionChoice {
  int effect = 0;         // 0: the new screen is copied at once
  int duration = 0;       // milliseconds
  bool pauseFirst = false;  // sleep 500 ms before the effect
};
// The rules table itself: first matching rule wins; names compare exactly.
TransitionChoice ChooseTransitionRule(std::string_view oldName, std::string_view newName, int oldX, int newX);

// Progress of an effect on a scale: (now - start) x scale div duration; a
// duration of 0 or below is finished at once.
int64_t TransitionProgress(uint32_t start, int duration, int scale);
