// Preparing a new map of the map type held in the options, up to the moment
// the player may play it.
#pragma once

#include "game/island.h"

void StartNewMap(TIsland& island);
