// The options screen: three switches (sound effects, music, whether radiated
// areas are fatal), each a pair of buttons of which only the one that selects
// the other value is shown; OK saves them and returns to the main screen
// without counting the time spent here.
#pragma once

#include "screens/windowed_mode.h"

class TOptMode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void Load() override;
};

extern TOptMode OptionsScreen;
