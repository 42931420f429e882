// Shared by the island model's tests: a temporary program directory, fatal
// exits and run-time errors turned into exceptions, a screen that records
// what the rules ask of it, and small island files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game_screen.h"
#include "game/grids.h"
#include "game/island.h"
#include "game/island_files.h"
#include "game/rle.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/mainloop.h"

struct FatalExitCalled : std::runtime_error {
  using std::runtime_error::runtime_error;
};
struct RuntimeErrorRaised : std::runtime_error {
  int code;
  RuntimeErrorRaised(int c, const std::string& m) : std::runtime_error(m), code(c) {}
};

class RecordingScreen : public GameScreen {
 public:
  std::vector<std::string> calls;
  std::vector<int> sounds;
  std::string recordLine1, recordLine2;

  void PlaySound(int event) override {
    sounds.push_back(event);
    calls.push_back("sound " + std::to_string(event));
  }
  void SelectPointer(int image) override { calls.push_back("pointer " + std::to_string(image)); }
  void Redraw(bool full) override { calls.push_back(full ? "redraw" : "redraw status"); }
  void RenderIsland() override { calls.push_back("render island"); }
  void RepaintCell(int cell) override { calls.push_back("repaint " + std::to_string(cell)); }
  void MarkMapLoaded() override { calls.push_back("map loaded"); }
  void PrepareTransition() override { calls.push_back("prepare transition"); }
  void PlayTransition(int effect, int ms) override {
    calls.push_back("transition " + std::to_string(effect) + " " + std::to_string(ms));
  }
  void PushFailScreen() override { calls.push_back("push fail"); }
  void PushFinishScreen() override { calls.push_back("push finish"); }
  void PushNewRecordScreen(const std::string& line1, const std::string& line2) override {
    recordLine1 = line1;
    recordLine2 = line2;
    calls.push_back("push new record");
  }

  int Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
  }
  int SoundCount(int event) const {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), event));
  }
};

// Runs each test in a fresh, empty program directory with an "islands"
// folder, with fatal exits, run-time errors and the screen observed.
class GameDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    char pattern[] = "/tmp/tervane-game-XXXXXX";
    directory_ = mkdtemp(pattern);
    std::filesystem::current_path(directory_);
    std::filesystem::create_directory("islands");
    SetFatalExitHandler([](const std::string& message) { throw FatalExitCalled(message); });
    platform::SetRuntimeErrorHandler(
        [](int code, const std::string& message) { throw RuntimeErrorRaised(code, message); });
    GameScreenOutput = &screen;
  }
  void TearDown() override {
    GameScreenOutput = nullptr;
    SetFatalExitHandler(nullptr);
    platform::SetRuntimeErrorHandler(nullptr);
    platform::SetTickSource(nullptr);
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(directory_);
  }

  RecordingScreen screen;

 private:
  std::filesystem::path previous_;
  std::filesystem::path directory_;
};

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
