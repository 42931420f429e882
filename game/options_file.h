// The game's options: music, sound effects, whether radiated areas are
// fatal, and the map type of the next map; the 4 bytes of "Tervane.opt".
#pragma once

#include <cstdint>

constexpr char kOptionsFile[] = "Tervane.opt";

#pragma pack(push, 1)
struct TGameOptions {
  uint8_t musicOn;
  uint8_t soundOn;
  uint8_t radiationFatal;
  uint8_t mapType;
};
#pragma pack(pop)
static_assert(sizeof(TGameOptions) == 4, "Tervane.opt is 4 bytes");

extern TGameOptions GameOptions;

// Reads the file (all options 1 without it; a map type outside 1..4 becomes
// 1) and makes its map type the current one.
void LoadOptions();
// Writes the 4 bytes as the whole file, or nothing: a failed save keeps the
// old file.
void SaveOptions();
