#include "screens/help_mode.h"

#include "screens/main_mode.h"
#include "shell/mode_stack.h"

tHelpMode HelpScreen;

void tHelpMode::Load() {
  ModeName = "Help";
  tmode::Load();
}

void tHelpMode::ButtonPressed(int) {
  ResumeGameClock(OptionsHelpPauseTick);
  SwitchMode(&MainMode);
}
