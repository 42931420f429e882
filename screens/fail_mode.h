// The failure screen, shown over the main screen after stepping on a
// radiated area when radiated areas are fatal: its picture says so, and its
// buttons lead to a new map (1) or back to the lost map (2).
#pragma once

#include "screens/windowed_mode.h"

class TFailMode : public tWindowedMode {
 public:
  void ButtonPressed(int index) override;
  void Load() override;
};

extern TFailMode FailureScreen;
