// The island generator's parts: seeded streams and noise, landmasses, cells,
// contacts, the archive's packing, and repeatability against the shipped
// files.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "islands_test_support.h"
#include "tools/islands/archive_files.h"
#include "tools/islands/cell_contacts.h"
#include "tools/islands/generator.h"
#include "tools/islands/landmass.h"
#include "tools/islands/noise.h"
#include "tools/islands/output_files.h"

namespace {

using islands::CellMap;
using islands::Mask;
using islands::Pixel;
using islands::RandomStream;

// Guards against streams that depend on anything but their seed, and forks
// that shift when the parent stream is used more or less.
TEST(IslandGenerator, RandomStreamsRepeatAndForksStandApart) {
  RandomStream a(42), b(42);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Next(), b.Next());
  RandomStream fresh(7), used(7);
  for (int i = 0; i < 10; ++i) used.Next();
  RandomStream forkFresh = fresh.Fork(3);
  RandomStream forkUsed = RandomStream(7).Fork(3);
  EXPECT_EQ(forkFresh.Next(), forkUsed.Next());
  EXPECT_NE(RandomStream(7).Fork(3).Next(), RandomStream(7).Fork(4).Next());
  std::set<int> seen;
  for (int i = 0; i < 1000; ++i) {
    int value = a.Between(-3, 3);
    ASSERT_TRUE(value >= -3 && value <= 3);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 7u);
}

// Guards against noise out of range or with seams between lattice squares.
TEST(IslandGenerator, NoiseStaysInRangeAndChangesSmoothly) {
  for (int y = -40; y < 40; ++y) {
    for (int x = -40; x < 40; ++x) {
      int value = islands::FractalNoise(9, x, y, 32, 1);
      ASSERT_TRUE(value >= 0 && value < islands::kNoiseOne);
      EXPECT_LT(std::abs(value - islands::FractalNoise(9, x + 1, y, 32, 1)), islands::kNoiseOne / 8);
      EXPECT_EQ(value, islands::FractalNoise(9, x, y, 32, 1));
    }
  }
}

bool Connected(const islands::Plane<uint8_t>& plane, Pixel start, int area) {
  Mask visited;
  return static_cast<int>(islands::FloodRegion(plane, start, visited).size()) == area;
}

// Guards against landmasses in pieces, with lakes, or reaching the margin
// the coast shadow needs.
TEST(IslandGenerator, LandmassesAreOnePieceWithoutLakesInsideTheMargin) {
  int made = 0;
  for (uint64_t seed = 1; seed <= 6; ++seed) {
    RandomStream random(seed);
    Mask land = islands::MakeLandmass(random, 26000);
    int area = islands::CountSet(land);
    if (area == 0) continue;
    ++made;
    EXPECT_TRUE(area >= 26000 * 4 / 5 && area <= 26000 * 6 / 5) << area;
    Pixel first{-1, -1};
    for (int r = 0; r < islands::kSide; ++r) {
      for (int c = 0; c < islands::kSide; ++c) {
        if (!land.at(r, c)) continue;
        if (first.row < 0) first = {r, c};
        int edge = std::min({r, c, islands::kSide - 1 - r, islands::kSide - 1 - c});
        EXPECT_GE(edge, islands::kLandMargin);
      }
    }
    EXPECT_TRUE(Connected(land, first, area));
    EXPECT_TRUE(Connected(land, {0, 0}, islands::kSide * islands::kSide - area)) << "a lake";
  }
  EXPECT_GE(made, 3);
}

// Guards against cells that miss land or take sea, come in pieces, lose
// their digit room, or touch without a clear border after mending.
TEST(IslandGenerator, CellsCoverTheLandInWholePiecesWithDigitRoomAndClearBorders) {
  int made = 0;
  for (uint64_t seed = 1; seed <= 8 && made < 3; ++seed) {
    RandomStream random(seed);
    Mask land = islands::MakeLandmass(random, 27000);
    if (islands::CountSet(land) == 0) continue;
    std::optional<CellMap> map = islands::DivideIntoCells(land, random, 16);
    if (!map || !islands::ClarifyContacts(*map)) continue;
    ++made;
    int n = map->Count();
    EXPECT_TRUE(n >= islands::kFewestCells && n <= islands::kMostCells);
    std::vector<int> area(n + 1, 0);
    for (int r = 0; r < islands::kSide; ++r) {
      for (int c = 0; c < islands::kSide; ++c) {
        ASSERT_EQ(map->cells.at(r, c) != 0, land.at(r, c) != 0) << r << "," << c;
        ++area[map->cells.at(r, c)];
      }
    }
    islands::Contacts contacts = islands::MeasureContacts(map->cells, n);
    for (int d = 1; d <= n; ++d) {
      EXPECT_TRUE(islands::HasDigitRoom(map->cells, map->centres[d - 1], d)) << d;
      EXPECT_TRUE(Connected(map->cells, map->centres[d - 1], area[d])) << d;
      for (int e = d + 1; e <= n; ++e) {
        if (contacts.Touch(d, e)) {
          EXPECT_GE(contacts.Border(d, e), islands::kClearBorder) << d << "," << e;
        }
      }
    }
  }
  EXPECT_GE(made, 2);
}

// Guards against cells that meet at a single corner being left so: the
// mend gives them a shared border or parts them.
TEST(IslandGenerator, CellsMeetingAtACornerAreMended) {
  CellMap map;
  // Four square cells around the point between rows 39/40 and columns 39/40.
  map.centres = {{20, 20}, {20, 60}, {60, 20}, {60, 60}};
  for (int r = 0; r < 80; ++r) {
    for (int c = 0; c < 80; ++c) map.cells.at(r, c) = static_cast<uint8_t>(1 + (r >= 40) * 2 + (c >= 40));
  }
  islands::Contacts before = islands::MeasureContacts(map.cells, 4);
  ASSERT_TRUE(before.Touch(1, 4) && before.Border(1, 4) == 0);
  ASSERT_TRUE(islands::ClarifyContacts(map));
  islands::Contacts after = islands::MeasureContacts(map.cells, 4);
  for (auto [a, b] : {std::pair{1, 4}, std::pair{2, 3}}) {
    EXPECT_TRUE(!after.Touch(a, b) || after.Border(a, b) >= islands::kClearBorder) << a << "," << b;
  }
}

// Guards against a pointer table or blocks the game cannot read, and a
// check that would let a damaged archive through.
TEST(IslandGenerator, ArchiveBlocksAreCheckedThroughTheGamesDecoder) {
  std::vector<islands::StoredIsland> stored(kIslandsPerArchive);
  for (int k = 0; k < kIslandsPerArchive; ++k) {
    islands::StoredIsland& island = stored[k];
    std::memset(&island.record, 0, sizeof island.record);
    island.record.cellCount = static_cast<uint16_t>(k + 2);
    island.grid.at(k % islands::kSide, 5) = 200;  // a value stored as a run of one
  }
  islands::ArchiveFiles files = islands::PackArchive(stored);
  ASSERT_EQ(files.pointers.size(), 1032u);
  EXPECT_NO_THROW(islands::VerifyArchive(files, stored));
  ArchivePointer last;
  std::memcpy(&last, &files.pointers[128 * sizeof last], sizeof last);
  EXPECT_EQ(last.mapOffset, static_cast<int32_t>(files.data.size()));
  EXPECT_EQ(last.infoOffset, 0);
  islands::ArchiveFiles damaged = files;
  damaged.data[damaged.data.size() / 2] ^= 1;
  EXPECT_THROW(islands::VerifyArchive(damaged, stored), std::logic_error);
}

// Guards against layout bytes the game would misread: 1 radiated, 2 the
// start, 0 everything else, the sea included.
TEST(IslandGenerator, LayoutRecordsMarkRadiatedCellsAndTheStart) {
  static TIsland island;
  islands::BuildGeneratedGrid(2, island);
  island.Cell(3).isRadiated = 1;
  island.Cell(64).isRadiated = 1;
  island.accountedRadiated = 10;
  std::vector<uint8_t> record = islands::LayoutRecord(island);
  ASSERT_EQ(record.size(), 65u);
  for (int i = 0; i < 65; ++i) {
    uint8_t expected = i == 2 || i == 63 ? 1 : i == 9 ? 2 : 0;
    EXPECT_EQ(record[i], expected) << i;
  }
}

// Guards against output that is left half written or not replaced.
TEST(IslandGenerator, OutputFilesAreReplacedWhole) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("tervane-islands-out-" + std::to_string(::getpid())) / "islands";
  islands::WriteOutputFile(folder.string(), "a.inf", {1, 2, 3});
  islands::WriteOutputFile(folder.string(), "a.inf", {4, 5});
  EXPECT_EQ(std::filesystem::file_size(folder / "a.inf"), 2u);
  EXPECT_FALSE(std::filesystem::exists(folder / "a.inf.partial"));
  std::filesystem::remove_all(folder.parent_path());
}

// Guards against a generator whose output depends on anything but its seed
// (unset memory, addresses, the order maps are made in): maps made again
// here, one at a time, match the files the build wrote.
TEST(IslandGenerator, MapsMadeAgainMatchTheShippedFilesByteForByte) {
  islands::MapTypeSummary summary;
  for (int k : {0, 77}) {
    islands::StoredIsland again = islands::MakeIsland(islands::kShippedSeed, k, summary);
    islands_test::ShippedArchive().Unpack(k);
    EXPECT_EQ(std::memcmp(&again.record, &Island, sizeof Island), 0) << k;
    EXPECT_EQ(std::memcmp(again.grid.values().data(), CellGrid, kGridBytes), 0) << k;
  }
  for (int type = 2; type <= 4; ++type) {
    std::vector<uint8_t> file = islands_test::ReadShipped(islands_test::LayoutName(type));
    int size = islands_test::kLayoutSizes[type];
    for (int n : {5, 127}) {
      std::vector<uint8_t> again = islands::MakeLayout(type, islands::kShippedSeed, n, summary);
      EXPECT_TRUE(std::equal(again.begin(), again.end(), file.begin() + n * size)) << type << "/" << n;
    }
  }
}

}  // namespace
