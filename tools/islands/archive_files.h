// The bytes of the island files: the run-length packed archive of irregular
// islands with its pointer table, and the one-byte-per-cell layout records
// of the generated map types.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/islands/island_record.h"

namespace islands {

struct ArchiveFiles {
  std::vector<uint8_t> pointers;  // islands.ptr
  std::vector<uint8_t> data;      // islands.inf
};

// Packs the islands' map and info blocks one after the other and writes the
// table of their offsets, closed by the end offset and a 0.
ArchiveFiles PackArchive(const std::vector<StoredIsland>& islands);

// Layout byte of each cell: 1 radiated, 2 the start cell, 0 plain (the sea
// too).
constexpr uint8_t kLayoutPlain = 0;
constexpr uint8_t kLayoutRadiated = 1;
constexpr uint8_t kLayoutStart = 2;

std::vector<uint8_t> LayoutRecord(const TIsland& island);

}  // namespace islands

namespace islands {

// Reads the packed archive back through the game's pointer rules and
// run-length decoder and throws unless every block gives back its island.
void VerifyArchive(const ArchiveFiles& files, const std::vector<StoredIsland>& islands);

}  // namespace islands
