#include "game/island_rotation.h"

#include <cstring>

#include "game/file_block.h"
#include "game/island_files.h"
#include "platform/files.h"
#include "platform/random.h"

namespace {

bool IsPermutation(const uint8_t (&order)[kIslandsPerArchive]) {
  bool seen[kIslandsPerArchive] = {};
  for (uint8_t value : order) {
    if (value >= kIslandsPerArchive || seen[value]) return false;
    seen[value] = true;
  }
  return true;
}

void DrawPermutation(uint8_t (&order)[kIslandsPerArchive]) {
  for (int position = 0; position < kIslandsPerArchive; ++position) {
    bool repeated;
    do {
      order[position] = static_cast<uint8_t>(platform::Random(kIslandsPerArchive));
      repeated = false;
      for (int earlier = 0; earlier < position; ++earlier) {
        if (order[earlier] == order[position]) repeated = true;
      }
    } while (repeated);
  }
}

}  // namespace

int32_t ChooseIslandNumber() {
  // The play order is fixed once per installation; a damaged order file
  // (not a permutation of 0..127) is replaced as if it were missing, so that
  // every value indexes the archive and the draw always finds a playable one.
  uint8_t order[kIslandsPerArchive] = {};
  bool haveOrder = platform::FileExists(kIslandOrderFile);
  if (haveOrder) {
    ReadFileBlock(kIslandOrderFile, order, 0, sizeof order);
    haveOrder = IsPermutation(order);
  }
  if (!haveOrder) {
    DrawPermutation(order);
    WriteFileBlock(kIslandOrderFile, order, 0, sizeof order);
  }

  int32_t counter = 0;
  if (platform::FileExists(kIslandCounterFile)) {
    ReadFileBlock(kIslandCounterFile, &counter, 0, sizeof counter);
    counter = static_cast<int32_t>(static_cast<uint32_t>(counter) + 1u);
  } else {
    counter = 1;
  }
  WriteFileBlock(kIslandCounterFile, &counter, 0, sizeof counter);
  // counter mod 128, never negative.
  return order[static_cast<uint32_t>(counter) % kIslandsPerArchive];
}
