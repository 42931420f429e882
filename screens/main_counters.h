// The two counters at the right edge of the main screen: the seconds of the
// map in play and the radiated areas still unknown.
#pragma once

#include <string>

#include "graphics/display.h"

// Where the counters are centred, and the rows of the panel whose pointing
// explains them.
constexpr int kCountersCentreX = 765;
constexpr int kSecondsCounterY = 429;
constexpr int kRadiatedCounterY = 463;
constexpr int kCountersPanelLeft = 656;
constexpr int kSecondsPanelTop = 421;
constexpr int kSecondsPanelBottom = 451;
constexpr int kRadiatedPanelTop = 452;
constexpr int kRadiatedPanelBottom = 485;

// "0" until the clock starts with the first opening, then the seconds.
std::string SecondsCounterText();
// Radiated areas less the marks and the areas stepped on; below 0 with
// more marks than radiated areas.
std::string RadiatedCounterText();

// Draws both while a map is in play (nothing during its preparation).
void DrawCounters(Surface& frame);
