#include "screens/main_hover.h"

#include "game/options_file.h"
#include "screens/main_counters.h"

std::string ButtonHelpText(int event) {
  switch (event) {
    case kEventNewMap:
      return "Start game at the new map";
    case kEventOptions:
      return "Change game options";
    case kEventBestScores:
      return "View best scores";
    case kEventHelp:
      return "View help";
    case kEventExit:
      return "Exit to Windows";
    case kEventSelectMap:
      return "Select map type";
    default:
      return "";
  }
}

bool InMenuColumn(const tmode& mode, int x, int y) {
  if (mode.buttonCount < kEventExit) return false;
  const tbutton& first = mode.buttons[kEventNewMap];
  const tbutton& last = mode.buttons[kEventExit];
  int left = mode.X + first.X, right = mode.X + first.X + first.Width - 1;
  int top = mode.Y + first.Y, bottom = mode.Y + last.Y + last.Height - 1;
  return left <= x && x <= right && top <= y && y <= bottom;
}

std::string RadiatedAreaText() {
  return GameOptions.radiationFatal != 0 ? "You have failed!" : "Radiated area (-30 seconds)";
}

std::string IslandAreaText(const TIsland& island) {
  int code = island.hoverCode;
  if (code == kHoverNothing) return kExploredAreaText;
  if (code == kHoverRadiated) return RadiatedAreaText();
  if (code == kHoverSea) return "";
  if (island.HasCell(code) && island.Cell(code).isMarked) return "Marked area";
  return "Unexplored area";
}

std::string PanelText(int x, int y) {
  if (x < kCountersPanelLeft) return "";
  if (kSecondsPanelTop <= y && y <= kSecondsPanelBottom) return "The seconds you expore this map";
  if (kRadiatedPanelTop <= y && y <= kRadiatedPanelBottom) return "Unknown radiated areas left";
  return "";
}
