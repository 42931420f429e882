// Shared by the island tests: the shipped island files read as the game
// reads them, and a scratch program directory in which the game's own
// loader and new-map sequence run on copies of them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/island.h"
#include "game/island_files.h"
#include "platform/files.h"
#include "screens/options_file.h"
#include "shell/mainloop.h"

namespace islands_test {

constexpr int kIslands = 128;
constexpr int kLayoutSizes[5] = {0, 0, 65, 65, 158};

struct GameStopped : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline std::filesystem::path ShippedFolder() {
  return std::filesystem::path(TERVANE_GAME_DIR) / "islands";
}

inline std::vector<uint8_t> ReadShipped(const std::string& name) {
  std::filesystem::path path = ShippedFolder() / name;
  std::vector<uint8_t> bytes(std::filesystem::exists(path) ? std::filesystem::file_size(path) : 0);
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw std::runtime_error("missing " + path.string());
  size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  bytes.resize(read);
  return bytes;
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
// island files, with the game's fatal exits and run-time errors thrown.
class ScratchProgramDirectory : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    char pattern[] = "/tmp/tervane-islands-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    std::filesystem::create_directory(directory_ / "islands");
    for (const char* name : {"islands.ptr", "islands.inf", "islands2.inf", "islands3.inf", "islands4.inf"}) {
      std::filesystem::copy_file(ShippedFolder() / name, directory_ / "islands" / name);
    }
    std::filesystem::current_path(directory_);
    SetFatalExitHandler([](const std::string& message) { throw GameStopped(message); });
    platform::SetRuntimeErrorHandler(
        [](int, const std::string& message) { throw GameStopped(message); });
  }
  void TearDown() override {
    SetFatalExitHandler(nullptr);
    platform::SetRuntimeErrorHandler(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(directory_);
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
  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

}  // namespace islands_test
