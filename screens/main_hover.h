// What the main screen's status line says about the place the pointer is
// over: a menu button's purpose, the kind of island area, the meaning of a
// counter.
#pragma once

#include <string>

#include "game/island.h"
#include "shell/mode.h"

// The main screen's buttons by their event numbers.
enum MainEvent : int {
  kEventNewMap = 1,
  kEventOptions = 2,
  kEventBestScores = 3,
  kEventHelp = 4,
  kEventExit = 6,
  kEventSelectMap = 8,
};

// Status texts the pointer and the clicks share.
constexpr char kExploredAreaText[] = "Explored area";

// What stepping on a radiated area costs, as the status line says it:
// the map when radiated areas are fatal, else 30 seconds.
std::string RadiatedAreaText();

// The help text of a button; empty for a button without one.
std::string ButtonHelpText(int event);

// Inside the menu column: from the left edge to the right edge of button 1,
// from the top of button 1 to the bottom of button 6.
bool InMenuColumn(const tmode& mode, int x, int y);

// The text for the island's hover code (the pointer inside the picture).
std::string IslandAreaText(const TIsland& island);
// The text for a point outside the picture: the counters' explanations.
std::string PanelText(int x, int y);
