#include "game/options_file.h"

#include "game/island.h"
#include "platform/files.h"

TGameOptions GameOptions = {};

void LoadOptions() {
  if (platform::FileExists(kOptionsFile)) {
    platform::BinaryFile file;
    file.Open(kOptionsFile);
    file.ReadExact(&GameOptions, sizeof GameOptions);
  } else {
    GameOptions = {1, 1, 1, 1};
  }
  // A damaged map type must not index the per-type tables.
  if (GameOptions.mapType < 1 || GameOptions.mapType > kMapTypeCount) GameOptions.mapType = 1;
  CurrentMapType = GameOptions.mapType;
}

void SaveOptions() { platform::ReplaceWholeFile(kOptionsFile, &GameOptions, sizeof GameOptions); }
