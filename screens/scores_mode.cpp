#include "screens/scores_mode.h"

#include <string>

#include "game/island.h"
#include "game/scores_file.h"
#include "graphics/pixelops.h"
#include "graphics/text.h"
#include "graphics/textsurface.h"
#include "screens/main_mode.h"
#include "screens/map_type_names.h"
#include "shell/mode_stack.h"

tScoresMode ScoresScreen;

namespace {

constexpr int kResetButton = 1;
constexpr int kBackButton = 2;
constexpr int kFont = 2;
constexpr int kRowSpacing = 30;

void SetTextColours(int red, int green, int blue, int shadeRed, int shadeGreen, int shadeBlue) {
  TextColour1 = PackColour(red, green, blue);
  TextColour2 = PackColour(shadeRed, shadeGreen, shadeBlue);
}

void DrawTitleAndHeadings(Surface& target) {
  SetTextColours(255, 255, 0, 120, 120, 60);
  if (CurrentMapType > 1) DrawTextOnSurface(target, 400, 25, true, MapTypeName(CurrentMapType), kFont);
  SetTextColours(0, 150, 0, 0, 70, 0);
  DrawTextOnSurface(target, 285, 140, false, "Name", kFont);
  DrawTextOnSurface(target, 462, 140, false, "Time", kFont);
  DrawColour = platform::RGB(10, 10, 10);
  DrawLine(target, 245, 170, 170, 545);
}

void DrawRows(Surface& target) {
  if (CurrentMapType < 1 || CurrentMapType > kScoreBlocks) return;
  const TScoreEntry* block = ScoreTable[CurrentMapType - 1];
  for (int place = 1; place <= kScorePlaces; ++place) {
    if (place == NewRecordPlace) {
      SetTextColours(255, 0, 0, 150, 0, 0);
    } else {
      SetTextColours(0, 0, 180, 255, 255, 0);
    }
    const int y = 150 + kRowSpacing * place;
    const TScoreEntry& entry = block[place - 1];
    DrawTextOnSurface(target, 275, y, false, EntryName(entry), kFont);
    DrawTextOnSurface(target, 490, y, true, std::to_string(entry.seconds), kFont);
  }
}

// A tick before the highlighted row: a pale stroke, and a bright one a pixel
// to its left.
void DrawTickMark(Surface& target) {
  if (NewRecordPlace < 1 || NewRecordPlace > kScorePlaces) return;
  const int k = kRowSpacing * NewRecordPlace;
  DrawColour = platform::RGB(190, 150, 150);
  DrawLine(target, 254, k + 156, k + 170, 258);
  DrawLine(target, 259, k + 170, k + 146, 266);
  DrawColour = platform::RGB(255, 100, 100);
  DrawLine(target, 253, k + 156, k + 170, 257);
  DrawLine(target, 258, k + 170, k + 146, 265);
}

}  // namespace

void tScoresMode::Load() {
  ModeName = "Scores";
  tmode::Load();
}

void tScoresMode::Draw() {
  tmode::Draw();
  DrawTitleAndHeadings(*BackBuffer);
  DrawRows(*BackBuffer);
  DrawTickMark(*BackBuffer);
}

void tScoresMode::ButtonPressed(int index) {
  if (index == kResetButton) {
    NewRecordPlace = 0;
    ResetScores(CurrentMapType);
    Redraw(true);
  } else if (index == kBackButton) {
    NewRecordPlace = 0;
    ResumeGameClock(ScoresPauseTick);
    SwitchMode(&MainMode);
  }
}
