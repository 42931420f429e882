// The rules of play on the loaded island: the score clock, opening cells
// with the cascade through empty cells, marks, the penalty or failure on a
// radiated area, and the win with its place in the best scores.
#pragma once

#include <cstdint>
#include <string>

#include "game/island.h"

extern int32_t StartTick;  // tick of the first opening; 0 while the clock has not started
extern int32_t EndTick;    // tick at which the game ended
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

// Seconds of the map in play, the first partial second counting as 1.
int32_t ElapsedSeconds();

void SetHoverCell(TIsland& island, int cell);
void OpenCell(TIsland& island, int cell);
void ToggleMark(TIsland& island, int cell);
// A press on an explored cell: when as many of its neighbours are marked as
// its digit says, opens every other unexplored neighbour.
void OpenByCount(TIsland& island, int cell);
