// The sound events the screens and the rules raise, and what each plays:
// a sample of the bank at a volume, and for the big moments a duck, a while
// in which the music plays lower.
#pragma once

#include <cstdint>

struct SoundEventRow {
  int event;
  int bankEntry;      // 1 to 8
  uint8_t volume;     // 0-64
  int32_t duckTarget;        // music target while the duck runs; 0: no duck
  int32_t duckMilliseconds;
};

// Every effect plays at the centre, at its sample's own rate.
constexpr uint8_t kEffectPanning = 128;
constexpr uint16_t kEffectOwnRate = 0;

// The event's row; nullptr for a number that plays nothing (such as the end
// of the splash and the quit).
const SoundEventRow* FindSoundEvent(int event);
