// "Tervane.opt" as the splash screen reads it: any bytes give options whose
// map type indexes the per-type tables, or the run-time error for a file
// shorter than the record; saving then writes back exactly what was read.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "file_harness.h"
#include "game/island.h"
#include "game/options_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-options");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::WriteInput(kOptionsFile, data, size);
  try {
    LoadOptions();
  } catch (const fuzzing::RuntimeFailure&) {
    fuzzing::Require(size < sizeof(TGameOptions));
    return 0;
  }
  fuzzing::Require(GameOptions.mapType >= 1 && GameOptions.mapType <= 4 && CurrentMapType == GameOptions.mapType);
  TGameOptions loaded = GameOptions;
  SaveOptions();
  LoadOptions();
  fuzzing::Require(std::memcmp(&loaded, &GameOptions, sizeof loaded) == 0);
  return 0;
}
