// The rules of play on the loaded island: the score clock, opening cells
// with the cascade through empty cells, marks, the penalty or failure on a
// radiated area, and the win with its place in the best scores.
#pragma once

#include <cstdint>
#include <string>

#include "game/island.h"

extern uint8_t GameRunning;
extern std::string StatusText;
extern std::string ResultText;

constexpr int32_t kRadiationPenaltyMilliseconds = 30000;

// Sound events of the rules.
enum GameSoundEvent : int {
  kSoundOpenedDigit = 1,
  kSoundOpenedEmpty = 2,
  kSoundPenalty = 3,
  kSoundMarked = 4,
  kSoundUnmarked = 5,
  kSoundRecord = 50,
  kSoundFirstPlace = 51,
  kSoundFinished = 52,
  kSoundFailed = 53,
  kSoundNewMap = 60,
};

void SetHoverCell(TIsland& island, int cell);
void OpenCell(TIsland& island, int cell);
void ToggleMark(TIsland& island, int cell);
// A press on an explored cell: when as many of its neighbours are marked as
// its digit says, opens every other unexplored neighbour.
void OpenByCount(TIsland& island, int cell);
