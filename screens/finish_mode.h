// The finish screen, shown over the main screen after a win that earns no
// place in the best scores: the time taken, and the choice between a new map
// (button 1) and the finished map (button 2).
#pragma once

#include "screens/windowed_mode.h"

class TFinMode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void DrawBackground() override;
  void Load() override;
};

extern TFinMode FinishScreen;

// What both end-of-map screens do with their buttons: back to the main
// screen, with a new map for button 1; other buttons and Esc do nothing.
void LeaveEndOfMapScreen(int index);
