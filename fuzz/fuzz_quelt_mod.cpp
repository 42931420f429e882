// Feeds arbitrary bytes to the MOD loader; whatever it accepts must be a
// consistent model that is safe to play and to write as QLT.
#include <cstddef>
#include <cstdint>

#include "DSound/Player/loaders/CModMOD.h"
#include "DSound/Player/loaders/ModuleLoading.h"
#include "quelt_loader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::FuzzLoader(LoadModuleMOD, data, size);
  return 0;
}
