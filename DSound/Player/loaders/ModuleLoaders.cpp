// The probe table of module loaders and the file entry point.
#include "loaders/ModuleLoaders.h"

#include <span>
#include <vector>

#include "loaders/CModMOD.h"
#include "loaders/CModQLT.h"
#include "loaders/CModS3M.h"
#include "loaders/CmoduleXM.h"
#include "loaders/ModuleCheck.h"
#include "loaders/ModuleLoading.h"

namespace {

using ModuleLoader = bool (*)(ModuleSlot&, std::span<const uint8_t>);

// The order in which formats are tried.
constexpr ModuleLoader kModuleLoaders[] = {
    LoadModuleMOD,
    LoadModuleS3M,
    LoadModuleXM,
    LoadModuleQLT,
};

}  // namespace

bool LoadModuleFromMemory(ModuleSlot& slot, const uint8_t* bytes, size_t size) {
  if (slot.inUse) return false;
  ClearModule(slot);
  const std::span<const uint8_t> file(bytes, bytes ? size : 0);
  for (ModuleLoader loader : kModuleLoaders) {
    if (loader(slot, file) && CheckModule(slot)) {
      slot.loaded = 1;
      return true;
    }
    ClearModule(slot);
  }
  return false;
}

bool LoadModuleFile(ModuleSlot& slot, const char* fileName, unsigned long offset) {
  if (slot.inUse || !fileName) return false;
  std::vector<uint8_t> bytes;
  if (!ReadFileFrom(fileName, offset, bytes)) return false;
  return LoadModuleFromMemory(slot, bytes.data(), bytes.size());
}
