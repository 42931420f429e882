// Shared by the island tests: the shipped island files read as the game
// reads them, and a scratch program directory in which the game's own
// loader and new-map sequence run on copies of them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/island.h"
#include "game/island_files.h"
#include "game/options_file.h"
#include "platform/files.h"
#include "support/program_directory.h"
#include "support/scratch_folder.h"

namespace islands_test {

constexpr int kIslands = 128;
constexpr int kLayoutSizes[5] = {0, 0, 65, 65, 158};

// A shipped island file, read from the program directory as the game reads it.
inline std::vector<uint8_t> ReadShipped(const std::string& name) {
  testing_support::InProgramDirectory programDirectory;
  return platform::ReadWholeFile("islands\\" + name);
}

inline std::string LayoutName(int mapType) { return "islands" + std::to_string(mapType) + ".inf"; }

// The shipped archive, read once.
struct Archive {
  std::vector<uint8_t> pointers = ReadShipped("islands.ptr");
  std::vector<uint8_t> data = ReadShipped("islands.inf");

  ArchivePointer Entry(int k) const {
    ArchivePointer entry = {};
    if (pointers.size() >= (k + 1) * sizeof entry) std::memcpy(&entry, &pointers[k * sizeof entry], sizeof entry);
    return entry;
  }
  // Island k unpacked into the game's Island and CellGrid by the game's own
  // unpacker; a damaged block stops the test.
  void Unpack(int k) const {
    ArchivePointer here = Entry(k), next = Entry(k + 1);
    ASSERT_TRUE(here.mapOffset >= 0 && here.mapOffset <= here.infoOffset &&
                here.infoOffset <= next.mapOffset && static_cast<size_t>(next.mapOffset) <= data.size());
    std::memset(&Island, 0, sizeof Island);
    UnpackArchiveIsland(data.data() + here.mapOffset, here.infoOffset - here.mapOffset,
                        data.data() + here.infoOffset, next.mapOffset - here.infoOffset, Island);
  }
};

inline const Archive& ShippedArchive() {
  static const Archive archive;
  return archive;
}

// Each test runs in a fresh program directory holding copies of the shipped
// island files.
class ScratchProgramDirectory : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"islands.ptr", "islands.inf", "islands2.inf", "islands3.inf", "islands4.inf"}) {
      folder_.Write(std::string("islands/") + name, ReadShipped(name));
    }
  }

  // The next map of `mapType` is number `number` of its file: the play order
  // is 0..127 and the counter stands just before it.
  void PlayNext(int mapType, int number) {
    GameOptions.mapType = static_cast<uint8_t>(mapType);
    std::vector<uint8_t> order(kIslands);
    for (int k = 0; k < kIslands; ++k) order[k] = static_cast<uint8_t>(k);
    platform::WriteWholeFile("islands\\islands.use", order.data(), order.size());
    int32_t counter = number == 0 ? kIslands - 1 : number - 1;
    platform::WriteWholeFile("islands\\islands.cur", &counter, sizeof counter);
  }

 private:
  testing_support::ScratchFolder folder_;
};

}  // namespace islands_test
