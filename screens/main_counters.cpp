#include "screens/main_counters.h"

#include "game/clock.h"
#include "game/island.h"
#include "game/rules.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"

namespace {

constexpr int kCounterFont = 1;

}  // namespace

std::string SecondsCounterText() { return StartTick == 0 ? "0" : std::to_string(ElapsedSeconds()); }

std::string RadiatedCounterText() { return std::to_string(RadiatedTotal - Island.accountedRadiated); }

void DrawCounters(Surface& frame) {
  if (!GameRunning) return;
  TextColour1 = PackColour(0, 255, 0);
  TextColour2 = PackColour(90, 90, 90);
  DrawTextOnSurface(frame, kCountersCentreX, kSecondsCounterY, true, SecondsCounterText(), kCounterFont);
  DrawTextOnSurface(frame, kCountersCentreX, kRadiatedCounterY, true, RadiatedCounterText(), kCounterFont);
}
