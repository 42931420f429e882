// Mirroring a new map: the island record's cell boxes and the picture of
// cell numbers turned over together.
#pragma once

#include "game/island.h"

// Mirrors the island top to bottom and/or left to right, each with an even
// chance (a draw of 0 mirrors).
void MirrorIslandRandomly(TIsland& island);
void MirrorTopToBottom(TIsland& island);
void MirrorLeftToRight(TIsland& island);
