#include "sound/sound_events.h"

#include "game/rules.h"
#include "shell/game_sound.h"

namespace {

// Bank entry 4 is loaded but no event plays it.
constexpr int kOpeningEntry = 1;
constexpr int kButtonEntry = 2;
constexpr int kFailureEntry = 3;
constexpr int kRecordEntry = 5;
constexpr int kFinishedEntry = 6;
constexpr int kNewMapEntry = 7;
constexpr int kMarkEntry = 8;

constexpr uint8_t kFullVolume = 64;
constexpr uint8_t kMarkVolume = 20;

constexpr SoundEventRow kSoundEvents[] = {
    {kSoundOpenedDigit, kOpeningEntry, kFullVolume, 0, 0},
    {kSoundOpenedEmpty, kOpeningEntry, kFullVolume, 0, 0},
    {kSoundPenalty, kOpeningEntry, kFullVolume, 0, 0},
    {kSoundMarked, kMarkEntry, kMarkVolume, 0, 0},
    {kSoundUnmarked, kMarkEntry, kMarkVolume, 0, 0},
    {kSoundButtonPressed, kButtonEntry, kFullVolume, 0, 0},
    {kSoundRecord, kRecordEntry, kFullVolume, 25, 10000},
    {kSoundFirstPlace, kRecordEntry, kFullVolume, 25, 10000},
    {kSoundFinished, kFinishedEntry, kFullVolume, 50, 1200},
    {kSoundFailed, kFailureEntry, kFullVolume, 25, 6000},
    {kSoundNewMap, kNewMapEntry, kFullVolume, 0, 0},
};

}  // namespace

const SoundEventRow* FindSoundEvent(int event) {
  for (const SoundEventRow& row : kSoundEvents) {
    if (row.event == event) return &row;
  }
  return nullptr;
}
