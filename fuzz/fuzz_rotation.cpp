// The island rotation files: the first input byte says which of
// "islands.use" and "islands.cur" exist, the next 128 bytes are the play
// order and the rest the counter. Every draw gives an island of the archive
// and leaves a play order that is a permutation.
#include <cstddef>
#include <cstdint>

#include "file_harness.h"
#include "game/file_block.h"
#include "game/island_files.h"
#include "game/island_rotation.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-rotation", {"islands"});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t which = data[0];
  ++data;
  --size;
  const size_t orderBytes = size < kIslandsPerArchive ? size : kIslandsPerArchive;
  platform::DeleteFileIfExists(kIslandOrderFile);
  platform::DeleteFileIfExists(kIslandCounterFile);
  if (which & 1) fuzzing::WriteInput(kIslandOrderFile, data, orderBytes);
  if (which & 2) fuzzing::WriteInput(kIslandCounterFile, data + orderBytes, size - orderBytes);
  for (int draw = 0; draw < 2; ++draw) {
    int32_t island = ChooseIslandNumber();
    fuzzing::Require(island >= 0 && island < kIslandsPerArchive);
  }
  uint8_t order[kIslandsPerArchive];
  fuzzing::Require(ReadFileBlock(kIslandOrderFile, order, 0, sizeof order) == sizeof order);
  bool seen[kIslandsPerArchive] = {};
  for (uint8_t value : order) {
    fuzzing::Require(value < kIslandsPerArchive && !seen[value]);
    seen[value] = true;
  }
  return 0;
}
