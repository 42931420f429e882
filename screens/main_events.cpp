#include "screens/main_events.h"

#include "game/island.h"
#include "game/map_start.h"
#include "game/rules.h"
#include "game/solver.h"
#include "graphics/cursor.h"
#include "graphics/pixelops.h"
#include "graphics/transition.h"
#include "platform/clock.h"
#include "screens/main_hover.h"
#include "screens/main_mode.h"
#include "screens/message_mode.h"
#include "shell/mode_stack.h"
#include "shell/screen_modes.h"

namespace {

constexpr uint16_t kScreenEdgeWidth = 4;

// The next dissolve paints a band of this colour ahead of its pixels.
void SetTransitionEdge(int red, int green, int blue) {
  EdgeColour = static_cast<int16_t>(PackColour(red, green, blue));
  EdgeWidth = kScreenEdgeWidth;
}

void NewMap() {
  StartNewMap(Island);
  StatusText.clear();
  MainMode.Redraw(true);
}

void OpenOptions() {
  if (GameScreenModes.options == nullptr) return;
  OptionsHelpPauseTick = platform::GetTickCount();
  MainMode.MouseMove(MouseX, MouseY);
  StatusText.clear();
  PushIfPresent(GameScreenModes.options);
}

void OpenBestScores() {
  if (GameScreenModes.scores == nullptr) return;
  SetTransitionEdge(0, 255, 255);
  ScoresPauseTick = platform::GetTickCount();
  PushIfPresent(GameScreenModes.scores);
}

void OpenHelp() {
  if (GameScreenModes.help == nullptr) return;
  SetTransitionEdge(200, 200, 100);
  OptionsHelpPauseTick = platform::GetTickCount();
  MainMode.MouseMove(MouseX, MouseY);
  MainMode.Redraw(true);
  StatusText.clear();
  PushIfPresent(GameScreenModes.help);
}

}  // namespace

void PushIfPresent(tmode* screen) {
  if (screen != nullptr) PushMode(screen);
}

void RunMainEvent(int event) {
  switch (event) {
    case kEventNewMap:
      NewMap();
      break;
    case kEventOptions:
      OpenOptions();
      break;
    case kEventBestScores:
      OpenBestScores();
      break;
    case kEventHelp:
      OpenHelp();
      break;
    case kEventExit:
      PopMode();
      break;
    case kEventSelectMap:
      PushIfPresent(GameScreenModes.mapSelection);
      break;
    default:
      break;
  }
}

void ShowIslandNumber() {
  ShowMessage("GameMode=" + std::to_string(IslandNumber), "", TextRgb{220, 220, 220}, TextRgb{80, 0, 0});
}

void OpenHintCell() {
  int32_t cell = FindSafeCell();
  if (cell >= 1) {
    OpenCell(Island, cell);
    return;
  }
  ShowMessage(cell == 0 ? "No any variants" : "Whole island is explored", "", TextRgb{255, 0, 0},
              TextRgb{80, 0, 0});
}
