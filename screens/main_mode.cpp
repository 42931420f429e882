#include "screens/main_mode.h"

#include "game/clock.h"
#include "platform/clock.h"

uint32_t OptionsHelpPauseTick = 0;
uint32_t ScoresPauseTick = 0;

tMainMode MainMode;

void ResumeGameClock(uint32_t pauseTick) {
  if (StartTick == 0 || EndTick != 0) return;
  uint32_t paused = platform::GetTickCount() - pauseTick;
  StartTick = static_cast<int32_t>(static_cast<uint32_t>(StartTick) + paused);
}

void tMainMode::Load() {
  ModeName = "Main";
  tmode::Load();
}
