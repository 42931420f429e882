#include "game/island.h"

TIsland Island;
uint8_t CellGrid[kGridSize][kGridSize];
int32_t IslandNumber = 0;
uint8_t CurrentMapType = 0;
int32_t RadiatedTotal = 0;
