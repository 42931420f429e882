// The help screen: a full-screen page of rules that any of its buttons or
// Esc leaves for the main screen, without counting the time spent reading.
#pragma once

#include "shell/mode.h"

class tHelpMode : public tmode {
 public:
  void ButtonPressed(int index) override;
  void Load() override;
};

extern tHelpMode HelpScreen;
