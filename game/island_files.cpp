#include "game/island_files.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/file_block.h"
#include "game/game_host.h"
#include "game/grids.h"
#include "game/island_rotation.h"
#include "game/options_file.h"
#include "game/rle.h"
#include "platform/files.h"

namespace {

constexpr char kArchiveAbsent[] = "Islands information absent";
constexpr char kInfoUnpackingError[] = "Islands information: info unpacking error";

// Islands of the archive that are never played.
constexpr int kExcludedIslands[] = {19, 22, 41, 42, 59, 64, 100, 111, 112, 116};

// Every packed item yields at least one byte from at most two, so a block
// longer than this cannot unpack to a valid size; reading stops there.
constexpr int64_t kLongestPackedBlock = 2 * int64_t{kGridBytes} + 2;

bool IsExcluded(int island) {
  return std::find(std::begin(kExcludedIslands), std::end(kExcludedIslands), island) !=
         std::end(kExcludedIslands);
}

bool GeometryInGrid(const TIslandCell& cell) {
  auto inGrid = [](int32_t v) { return v >= 1 && v <= kGridSize; };
  return inGrid(cell.rowMin) && inGrid(cell.rowMax) && inGrid(cell.colMin) &&
         inGrid(cell.colMax) && inGrid(cell.rowCentre) && inGrid(cell.colCentre) &&
         cell.rowMin <= cell.rowMax && cell.colMin <= cell.colMax;
}

// An archived island is used only when every cell number it holds, in the
// picture and in the neighbour lists, names one of its cells, and every land
// cell's box lies on the grid: the rules and the screen index by them.
bool ArchiveIslandConsistent(const TIsland& island) {
  int count = island.cellCount;
  if (count < 1 || count > kMaxIslandCells) return false;
  for (int d = 1; d <= count; ++d) {
    const TIslandCell& cell = island.Cell(d);
    if (cell.neighbourCount > kMaxNeighbours) return false;
    for (int i = 0; i < cell.NeighbourTotal(); ++i) {
      if (cell.Neighbour(i) < 1 || cell.Neighbour(i) > count) return false;
    }
    if (!cell.isSea && !GeometryInGrid(cell)) return false;
  }
  const uint8_t* grid = &CellGrid[0][0];
  return std::all_of(grid, grid + kGridBytes, [count](uint8_t v) { return v >= 1 && v <= count; });
}

std::vector<uint8_t> ReadPackedBlock(int64_t start, int64_t end) {
  int64_t length = std::clamp<int64_t>(end - start, 0, kLongestPackedBlock);
  std::vector<uint8_t> block(static_cast<size_t>(length));
  if (length > 0) {
    block.resize(ReadFileBlock(kArchiveDataFile, block.data(), start, block.size()));
  }
  return block;
}

int32_t ChoosePlayableArchiveIsland(ArchivePointer (&table)[kPointerEntries]) {
  for (;;) {
    int32_t number = ChooseIslandNumber();
    if (!platform::FileExists(kArchivePointerFile)) GameFatalError(kArchiveAbsent);
    std::memset(table, 0, sizeof table);
    ReadFileBlock(kArchivePointerFile, table, 0, sizeof table);
    if (CountArchiveEntries(table) != kIslandsPerArchive) GameFatalError(kArchiveAbsent);
    if (!IsExcluded(number)) return number;
  }
}

void LoadArchiveIsland(TIsland& island) {
  ArchivePointer table[kPointerEntries];
  IslandNumber = ChoosePlayableArchiveIsland(table);
  const ArchivePointer& entry = table[IslandNumber];
  std::vector<uint8_t> mapBlock = ReadPackedBlock(entry.mapOffset, entry.infoOffset);
  std::vector<uint8_t> infoBlock = ReadPackedBlock(entry.infoOffset, table[IslandNumber + 1].mapOffset);
  UnpackArchiveIsland(mapBlock.data(), static_cast<int64_t>(mapBlock.size()), infoBlock.data(),
                      static_cast<int64_t>(infoBlock.size()), island);
}

std::string LayoutFileName(int mapType) {
  return "islands\\islands" + std::to_string(mapType) + ".inf";
}

void LoadGeneratedIsland(TIsland& island, int mapType) {
  IslandNumber = ChooseIslandNumber();
  if (mapType == 4) {
    BuildRoundedGrid(island);
  } else {
    BuildSquareGrid(island);
  }
  std::string fileName = LayoutFileName(mapType);
  if (!platform::FileExists(fileName)) GameFatalError("\"File \"" + fileName + "\" absent");
  int recordSize = island.cellCount;
  uint8_t record[kMaxIslandCells] = {};
  ReadFileBlock(fileName, record, int64_t{IslandNumber} * recordSize, recordSize);
  ApplyLayout(island, record, recordSize);
  CountRadiatedNeighbours(island);
}

}  // namespace

int CountArchiveEntries(const ArchivePointer (&table)[kPointerEntries]) {
  int count = 0;
  while (count < kPointerEntries && table[count].infoOffset != 0) ++count;
  return count;
}

void UnpackArchiveIsland(const uint8_t* mapBlock, int64_t mapLength, const uint8_t* infoBlock,
                         int64_t infoLength, TIsland& island) {
  int32_t produced = UnpackRle(mapBlock, static_cast<size_t>(std::max<int64_t>(mapLength, 0)),
                               &CellGrid[0][0], kGridBytes);
  if (produced != kGridBytes) {
    GameFatalError("Islands information: map unpacking error " + std::to_string(produced) + " of " +
                   std::to_string(kGridBytes));
  }
  produced = UnpackRle(infoBlock, static_cast<size_t>(std::max<int64_t>(infoLength, 0)),
                       reinterpret_cast<uint8_t*>(&island), sizeof island);
  if (produced != static_cast<int32_t>(sizeof island)) GameFatalError(kInfoUnpackingError);
  if (!ArchiveIslandConsistent(island)) GameFatalError(kInfoUnpackingError);
}

void ApplyLayout(TIsland& island, const uint8_t* record, int recordSize) {
  int count = std::min(island.LastCell(), recordSize);
  for (int d = 1; d <= count; ++d) {
    if (record[d - 1] == 1) island.Cell(d).isRadiated = 1;
    if (record[d - 1] == 2) island.accountedRadiated = d;
  }
}

void CountRadiatedNeighbours(TIsland& island) {
  for (int d = 1; d <= island.LastCell(); ++d) {
    TIslandCell& cell = island.Cell(d);
    int radiated = 0;
    for (int i = 0; i < cell.NeighbourTotal(); ++i) {
      int neighbour = cell.Neighbour(i);
      radiated += island.HasCell(neighbour) && island.Cell(neighbour).isRadiated != 0;
    }
    cell.radiatedNeighbours = static_cast<uint8_t>(radiated);
  }
}

void LoadIsland(TIsland& island) {
  int mapType = NormalisedMapType(GameOptions.mapType);
  if (mapType == 1) {
    LoadArchiveIsland(island);
  } else {
    LoadGeneratedIsland(island, mapType);
  }
}
