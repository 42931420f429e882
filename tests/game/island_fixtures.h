// Small island files for tests and benchmarks: a square island packed into
// an archive of 128 copies, and layout files of identical records.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "game/grids.h"
#include "game/island.h"
#include "game/island_files.h"
#include "game/rle.h"
#include "platform/files.h"

inline std::vector<uint8_t> ReadAll(const std::string& gameName) {
  return platform::ReadWholeFile(gameName);
}

inline void WriteAll(const std::string& gameName, const std::vector<uint8_t>& bytes) {
  platform::WriteWholeFile(gameName, bytes.data(), bytes.size());
}

// A square-grid island with radiated areas at the given cells and a start
// cell, as an archive would hold it.
inline void MakeSquareIsland(TIsland& island, const std::vector<int>& radiated, int startCell) {
  std::memset(&island, 0, sizeof island);
  BuildSquareGrid(island);
  for (int cell : radiated) island.Cell(cell).isRadiated = 1;
  CountRadiatedNeighbours(island);
  island.accountedRadiated = startCell;
}

// islands.ptr + islands.inf holding the same packed island 128 times.
inline void WriteArchive(const TIsland& island, const uint8_t (&grid)[kGridSize][kGridSize]) {
  std::vector<uint8_t> mapBlock = PackRle(&grid[0][0], kGridBytes);
  std::vector<uint8_t> infoBlock = PackRle(reinterpret_cast<const uint8_t*>(&island), sizeof island);
  ArchivePointer table[kPointerEntries] = {};
  std::vector<uint8_t> data;
  for (int k = 0; k < kIslandsPerArchive; ++k) {
    table[k].mapOffset = static_cast<int32_t>(data.size());
    data.insert(data.end(), mapBlock.begin(), mapBlock.end());
    table[k].infoOffset = static_cast<int32_t>(data.size());
    data.insert(data.end(), infoBlock.begin(), infoBlock.end());
  }
  table[kIslandsPerArchive].mapOffset = static_cast<int32_t>(data.size());
  platform::WriteWholeFile(kArchivePointerFile, table, sizeof table);
  WriteAll(kArchiveDataFile, data);
}

// A layout file of 128 identical records: radiated areas at `radiated`,
// the start cell at `startCell` (0: none).
inline void WriteLayoutFile(int mapType, int recordSize, const std::vector<int>& radiated,
                            int startCell) {
  std::vector<uint8_t> record(static_cast<size_t>(recordSize), 7);
  for (int cell : radiated) record[cell - 1] = 1;
  if (startCell != 0) record[startCell - 1] = 2;
  std::vector<uint8_t> bytes;
  for (int n = 0; n < 128; ++n) bytes.insert(bytes.end(), record.begin(), record.end());
  WriteAll("islands\\islands" + std::to_string(mapType) + ".inf", bytes);
}
