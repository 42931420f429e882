// The island archive reader: pointer table, run-length blocks and the
// checks an island passes before the rules and the view use it. An accepted
// island is then prepared and played as the game would.
//
// First input byte chooses how the rest is used:
//   0: islands.ptr (1032 bytes) then islands.inf, read from files;
//   1: a map block length (2 bytes) then the map and info blocks;
//   2: edits (position, value pairs) to a valid packed island.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "file_harness.h"
#include "game/game_host.h"
#include "game/grids.h"
#include "game/island_files.h"
#include "game/map_start.h"
#include "game/mirror.h"
#include "game/options_file.h"
#include "game/rle.h"
#include "game/rules.h"
#include "game/solver.h"
#include "game/view.h"
#include "platform/files.h"

namespace {

// The island model's fatal errors end the input instead of the process.
class RefusingHost final : public GameHost {
 public:
  void KeepWindowAlive() override {}
  void DiscardQueuedInput() override {}
  void FatalError(const std::string& message) override { throw fuzzing::RuntimeFailure(message); }
};

RefusingHost g_host;

std::vector<uint8_t> g_validMap;
std::vector<uint8_t> g_validInfo;

void MakeValidIsland() {
  TIsland island = {};
  BuildSquareGrid(island);
  for (int d : {1, 9, 30, 44, 58}) island.Cell(d).isRadiated = 1;
  CountRadiatedNeighbours(island);
  island.accountedRadiated = 36;
  g_validMap = PackRle(&CellGrid[0][0], kGridBytes);
  g_validInfo = PackRle(reinterpret_cast<const uint8_t*>(&island), sizeof island);
}

// Plays the accepted island: the view passes, the solver and the openings
// index by every cell number the island holds.
void PlayAcceptedIsland(bool withView) {
  RadiatedTotal = kRadiatedAreasByType[1];
  MirrorIslandRandomly(Island);
  if (withView) {
    BuildBorderMask();
    BuildView(Island);
    CentreView();
  }
  Island.active = 1;
  OpenCell(Island, Island.accountedRadiated);
  for (int i = 0; i < 3; ++i) {
    int32_t safe = FindSafeCell();
    if (safe > 0) OpenCell(Island, safe);
  }
  for (int d = 1; d <= Island.LastCell(); ++d) {
    SetHoverCell(Island, d);
    ToggleMark(Island, d);
    OpenByCount(Island, d);
  }
}

void FromFiles(const uint8_t* data, size_t size) {
  size_t tableBytes = size < 1032 ? size : 1032;
  platform::WriteWholeFile(kArchivePointerFile, data, tableBytes);
  platform::WriteWholeFile(kArchiveDataFile, data + tableBytes, size - tableBytes);
  std::memset(&Island, 0, sizeof Island);
  GameOptions.mapType = 1;
  LoadIsland(Island);
  PlayAcceptedIsland(false);
}

void FromBlocks(const uint8_t* data, size_t size) {
  if (size < 2) return;
  size_t mapLength = data[0] | (data[1] << 8);
  data += 2;
  size -= 2;
  if (mapLength > size) mapLength = size;
  UnpackArchiveIsland(data, static_cast<int64_t>(mapLength), data + mapLength,
                      static_cast<int64_t>(size - mapLength), Island);
  PlayAcceptedIsland(false);
}

void FromEdits(const uint8_t* data, size_t size) {
  std::vector<uint8_t> packed = g_validMap;
  packed.insert(packed.end(), g_validInfo.begin(), g_validInfo.end());
  for (size_t i = 0; i + 2 < size; i += 3) {
    size_t position = (data[i] | (data[i + 1] << 8)) % packed.size();
    packed[position] = data[i + 2];
  }
  UnpackArchiveIsland(packed.data(), static_cast<int64_t>(g_validMap.size()),
                      packed.data() + g_validMap.size(),
                      static_cast<int64_t>(g_validInfo.size()), Island);
  PlayAcceptedIsland(size % 7 == 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzing::EnterScratchFolder("fuzz-island", {"islands"});
  GameHostOutput = &g_host;
  GameOptions = {1, 1, 0, 1};
  MakeValidIsland();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  try {
    switch (data[0] % 3) {
      case 0: FromFiles(data + 1, size - 1); break;
      case 1: FromBlocks(data + 1, size - 1); break;
      default: FromEdits(data + 1, size - 1); break;
    }
  } catch (const fuzzing::RuntimeFailure&) {
  }
  return 0;
}
