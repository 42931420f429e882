// Feeds arbitrary bytes to the QLT loader; whatever it accepts must be a
// consistent model that is safe to play and writes back to the same bytes
// it reloads from.
#include <cstddef>
#include <cstdint>

#include "DSound/Player/loaders/CModQLT.h"
#include "DSound/Player/loaders/ModuleLoading.h"
#include "quelt_loader_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::FuzzLoader(LoadModuleQLT, data, size);
  return 0;
}
