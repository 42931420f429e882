#include "tools/islands/archive_files.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "game/island_files.h"
#include "game/rle.h"

namespace islands {

namespace {

void PutOffset(std::vector<uint8_t>& out, size_t offset) {
  if (offset > INT32_MAX) throw std::length_error("the island archive outgrows its offsets");
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(offset >> shift));
}

void Append(std::vector<uint8_t>& data, const std::vector<uint8_t>& block) {
  data.insert(data.end(), block.begin(), block.end());
}

}  // namespace

ArchiveFiles PackArchive(const std::vector<StoredIsland>& islands) {
  ArchiveFiles files;
  for (const StoredIsland& island : islands) {
    PutOffset(files.pointers, files.data.size());
    Append(files.data, PackRle(island.grid.values().data(), island.grid.values().size()));
    PutOffset(files.pointers, files.data.size());
    Append(files.data,
           PackRle(reinterpret_cast<const uint8_t*>(&island.record), sizeof island.record));
  }
  PutOffset(files.pointers, files.data.size());
  PutOffset(files.pointers, 0);
  return files;
}

std::vector<uint8_t> LayoutRecord(const TIsland& island) {
  std::vector<uint8_t> record(island.cellCount, kLayoutPlain);
  for (int d = 1; d <= island.LastCell(); ++d) {
    if (island.Cell(d).isRadiated) record[d - 1] = kLayoutRadiated;
  }
  if (island.HasCell(island.accountedRadiated)) record[island.accountedRadiated - 1] = kLayoutStart;
  return record;
}

}  // namespace islands

namespace islands {

namespace {

bool Unpacks(const std::vector<uint8_t>& data, int32_t begin, int32_t end, const uint8_t* expected,
             size_t size) {
  if (begin < 0 || end < begin || static_cast<size_t>(end) > data.size()) return false;
  std::vector<uint8_t> unpacked(size);
  int32_t produced = UnpackRle(data.data() + begin, static_cast<size_t>(end - begin), unpacked.data(), size);
  return produced == static_cast<int32_t>(size) && std::equal(unpacked.begin(), unpacked.end(), expected);
}

}  // namespace

void VerifyArchive(const ArchiveFiles& files, const std::vector<StoredIsland>& islands) {
  ArchivePointer table[kPointerEntries] = {};
  if (files.pointers.size() != sizeof table) throw std::logic_error("islands.ptr has the wrong size");
  std::memcpy(table, files.pointers.data(), sizeof table);
  if (CountArchiveEntries(table) != kIslandsPerArchive || islands.size() != kIslandsPerArchive) {
    throw std::logic_error("islands.ptr does not list 128 islands");
  }
  for (int k = 0; k < kIslandsPerArchive; ++k) {
    const StoredIsland& island = islands[k];
    if (!Unpacks(files.data, table[k].mapOffset, table[k].infoOffset, island.grid.values().data(),
                 kGridBytes) ||
        !Unpacks(files.data, table[k].infoOffset, table[k + 1].mapOffset,
                 reinterpret_cast<const uint8_t*>(&island.record), sizeof island.record)) {
      throw std::logic_error("island " + std::to_string(k) + " does not unpack to itself");
    }
  }
}

}  // namespace islands
