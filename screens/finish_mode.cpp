#include "screens/finish_mode.h"

#include <string>

#include "game/clock.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "screens/main_mode.h"
#include "shell/mode_stack.h"

TFinMode FinishScreen;

namespace {

constexpr int kNewMapButton = 1;
constexpr int kBackToMapButton = 2;
constexpr int kTextFont = 2;
constexpr int kTextCentreX = 401;

}  // namespace

void LeaveEndOfMapScreen(int index) {
  if (index != kNewMapButton && index != kBackToMapButton) return;
  SwitchMode(&MainMode);
  if (index == kNewMapButton) MainMode.ButtonPressed(kMainEventNewMap);
}

void TFinMode::Load() {
  ModeName = "Finish";
  tWindowedMode::Load();
}

void TFinMode::DrawBackground() {
  tWindowedMode::DrawBackground();
  TextColour1 = PackColour(255, 255, 255);
  TextColour2 = PackColour(80, 80, 80);
  DrawTextOnSurface(*BackgroundBuffer, kTextCentreX, 213, true, "You complete this map", kTextFont);
  DrawTextOnSurface(*BackgroundBuffer, kTextCentreX, 248, true,
                    "for " + std::to_string(ElapsedSeconds()) + " seconds", kTextFont);
}

void TFinMode::ButtonPressed(int index) { LeaveEndOfMapScreen(index); }
