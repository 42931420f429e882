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

class tmode;

// The next dissolve paints a band of this colour just ahead of the switching
// pixels (over pixels that change only); -1 = none. Reset after that dissolve.
extern int16_t EdgeColour;
extern uint16_t EdgeWidth;

// Runs an effect: the cursor is erased from the old-screen buffer first and
// drawn on the visible surface afterwards. Effects 5 and 6 move the area of
// the current and of the previous mode.
void PlayTransition(int effect, int duration);

// The effect that shows `current` after `previous` (either may be none),
// chosen from their names; run by a mode's Show.
void ChooseTransition(const tmode* previous, const tmode* current);

struct TransitionChoice {
  int effect = 0;         // 0: the new screen is copied at once
  int duration = 0;       // milliseconds
  bool pauseFirst = false;  // sleep 500 ms before the effect
};
// The rules table itself: first matching rule wins; names compare exactly.
TransitionChoice ChooseTransitionRule(std::string_view oldName, std::string_view newName, int oldX, int newX);
