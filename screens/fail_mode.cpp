#include "screens/fail_mode.h"

#include "screens/finish_mode.h"

TFailMode FailureScreen;

void TFailMode::Load() {
  ModeName = "Fail";
  tWindowedMode::Load();
}

void TFailMode::ButtonPressed(int index) { LeaveEndOfMapScreen(index); }
