#include "game/clock.h"

#include "game/island.h"
#include "platform/clock.h"

int32_t StartTick = 0;
int32_t EndTick = 0;

int32_t ElapsedSeconds() {
  if (StartTick == 0) return 1;
  // Unsigned differences: a tick counter passing 2^31 or wrapping at 2^32
  // during a game does not disturb the score.
  uint32_t end = Island.active != 0 ? platform::GetTickCount() : static_cast<uint32_t>(EndTick);
  return static_cast<int32_t>((end - static_cast<uint32_t>(StartTick)) / 1000 + 1);
}
