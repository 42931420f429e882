// Loading the island of a new map: the archive of original islands, and the
// radiated-area layouts of the generated types.
#pragma once

#include <cstdint>

#include "game/island.h"

constexpr char kArchivePointerFile[] = "islands\\islands.ptr";
constexpr char kArchiveDataFile[] = "islands\\islands.inf";

constexpr int kIslandsPerArchive = 128;
constexpr int kPointerEntries = kIslandsPerArchive + 1;

#pragma pack(push, 1)
struct ArchivePointer {
  int32_t mapOffset;
  int32_t infoOffset;
};
#pragma pack(pop)
static_assert(sizeof(ArchivePointer) * kPointerEntries == 1032, "islands.ptr is 1032 bytes");

// Fills the island record and CellGrid for the map type held in the options
// and sets IslandNumber. The record must have been cleared.
void LoadIsland(TIsland& island);

// Number of leading entries whose infoOffset is not 0; the table is usable
// only when this is exactly 128.
int CountArchiveEntries(const ArchivePointer (&table)[kPointerEntries]);

// Unpacks archived island k's two blocks into the island and CellGrid,
// stopping with the archive's fatal messages when a block is damaged.
void UnpackArchiveIsland(const uint8_t* mapBlock, int64_t mapLength, const uint8_t* infoBlock,
                         int64_t infoLength, TIsland& island);

// Applies a layout record (one byte per cell) to a freshly built grid.
void ApplyLayout(TIsland& island, const uint8_t* record, int recordSize);
void CountRadiatedNeighbours(TIsland& island);
