#include "screens/new_record_mode.h"

#include "game/clock.h"
#include "game/island.h"
#include "game/scores_file.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "screens/scores_mode.h"
#include "shell/mode_stack.h"

tnewrecmode NewRecordScreen;

namespace {

constexpr int kTextFont = 2;
constexpr int kTextCentreX = 401;
constexpr int kEnterOrEscape = 0;
constexpr int kOkButton = 1;

// The name box: white text in a 170 x 29 box, "Ranger" until a name is typed.
void SetUpNameBox(TextField& box) {
  box.EnterAccepts = true;
  box.X = 410;
  box.Y = 262;
  box.Width = 170;
  box.Height = 29;
  box.colour = platform::RGB(255, 255, 255);
  box.faceName = "Arial";
  box.text = "Ranger";
  box.maximumLength = kPlayerNameLength;
}

}  // namespace

void tnewrecmode::Load() {
  ModeName = "NewRecord";
  tWindowedMode::Load();
  SetUpNameBox(textFields[1]);
  textFieldCount = 1;
  focusedField = 1;
}

void tnewrecmode::DrawBackground() {
  tWindowedMode::DrawBackground();
  TextColour1 = PackColour(255, 255, 255);
  TextColour2 = PackColour(80, 80, 80);
  DrawTextOnSurface(*BackgroundBuffer, kTextCentreX, 202, true, line1, kTextFont);
  DrawTextOnSurface(*BackgroundBuffer, kTextCentreX, 228, true, line2, kTextFont);
  TextColour1 = PackColour(255, 255, 0);
  TextColour2 = PackColour(210, 210, 0);
  DrawTextOnSurface(*BackgroundBuffer, 233, 265, false, "Enter your name:", kTextFont);
}

void tnewrecmode::ButtonPressed(int index) {
  if (index != kEnterOrEscape && index != kOkButton) return;
  InsertScore(CurrentMapType, NewRecordPlace, textFields[1].text, ElapsedSeconds());
  PushMode(&ScoresScreen);
}
